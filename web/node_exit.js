// Node.js only. Output goes to process.stdout (console.log would hide a
// failed write), and the program ends with its own status once stdout has
// drained: Emscripten's own exit calls process.exit(), which drops whatever
// is still queued for a pipe.
Module['print'] = function (line) {
  process.stdout.write(line + '\n');
};
process.stdout.on('error', function (error) {
  process.stderr.write('ostre3: cannot write the output: ' + error.message + '\n');
  process.exitCode = 1;
});
Module['quit'] = function (status, toThrow) {
  if (!process.exitCode)
    process.exitCode = status;
  throw toThrow;
};
