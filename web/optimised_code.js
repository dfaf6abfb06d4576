// The timer measures the code a playing demo runs once V8 has optimised
// it: every function is compiled optimised up front, so that no figure
// depends on when V8's tiering gets round to a function.
require('v8').setFlagsFromString('--no-liftoff');
