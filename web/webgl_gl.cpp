#include "webgl_gl.h"

#include <GLES2/gl2.h>

#include <cmath>
#include <cstdio>

namespace {

constexpr int kFloatsPerVertex = 7;

// Fixed-function GL clamps each vertex colour before interpolating it.
const char kVertexShader[] = R"(
attribute vec3 position;
attribute vec4 colour;
uniform mat4 transform;
varying vec4 shade;
void main() {
    gl_Position = transform * vec4(position, 1.0);
    shade = clamp(colour, 0.0, 1.0);
}
)";

const char kFragmentShader[] = R"(
precision mediump float;
varying vec4 shade;
void main() { gl_FragColor = shade; }
)";

GLuint compile(GLenum kind, const char *source)
{
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok)
        std::fprintf(stderr, "ostre3: WebGL shader did not compile\n");
    return shader;
}

WebGl::Matrix product(const WebGl::Matrix &a, const WebGl::Matrix &b)
{
    WebGl::Matrix m{};
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row)
            for (int k = 0; k < 4; ++k)
                m[column * 4 + row] += a[k * 4 + row] * b[column * 4 + k];
    return m;
}

} // namespace

void WebGl::setUp()
{
    program = glCreateProgram();
    glAttachShader(program, compile(GL_VERTEX_SHADER, kVertexShader));
    glAttachShader(program, compile(GL_FRAGMENT_SHADER, kFragmentShader));
    glBindAttribLocation(program, 0, "position");
    glBindAttribLocation(program, 1, "colour");
    glLinkProgram(program);
    glUseProgram(program);
    transformAt = glGetUniformLocation(program, "transform");
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    const GLsizei stride = kFloatsPerVertex * sizeof(float);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, nullptr);
    glVertexAttribPointer(1, 4, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void *>(3 * sizeof(float)));
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(1);
}

// WebGL makes these calls itself.
void WebGl::clearColor(float r, float g, float b, float a) { glClearColor(r, g, b, a); }
void WebGl::clear(GLbitfield mask) { glClear(mask); }
void WebGl::scissor(int x, int y, int w, int h) { glScissor(x, y, w, h); }
void WebGl::enable(GLenum cap) { glEnable(cap); }
void WebGl::disable(GLenum cap) { glDisable(cap); }
void WebGl::blendFunc(GLenum src, GLenum dst) { glBlendFunc(src, dst); }
void WebGl::viewport(int x, int y, int w, int h) { glViewport(x, y, w, h); }

// The rest are GL 1.x's, which WebGL lacks.
void WebGl::matrixMode(GLenum mode)
{
    // Everything but the projection the scenes use is the model-view.
    current = mode == GL_PROJECTION ? &projection : &modelView;
}

void WebGl::loadIdentity() { *current = identity(); }

void WebGl::multiply(const Matrix &by) { *current = product(*current, by); }

void WebGl::translatef(float x, float y, float z)
{
    multiply({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1});
}

void WebGl::scalef(float x, float y, float z)
{
    multiply({x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1});
}

void WebGl::rotatef(float angle, float x, float y, float z)
{
    const double length = std::sqrt(double(x) * x + double(y) * y + double(z) * z);
    if (length == 0)
        return;
    const double ux = x / length, uy = y / length, uz = z / length;
    const double radians = angle * (M_PI / 180);
    const double c = std::cos(radians), s = std::sin(radians), d = 1 - c;
    multiply({ux * ux * d + c, uy * ux * d + uz * s, ux * uz * d - uy * s, 0,
              ux * uy * d - uz * s, uy * uy * d + c, uy * uz * d + ux * s, 0,
              ux * uz * d + uy * s, uy * uz * d - ux * s, uz * uz * d + c, 0,
              0, 0, 0, 1});
}

void WebGl::perspective(double fovy, double aspect, double zNear, double zFar)
{
    const double f = 1 / std::tan(fovy * (M_PI / 360));
    const double depth = zNear - zFar;
    multiply({f / aspect, 0, 0, 0, 0, f, 0, 0, 0, 0, (zFar + zNear) / depth, -1,
              0, 0, 2 * zFar * zNear / depth, 0});
}

void WebGl::begin(GLenum mode)
{
    primitive = mode;
    vertices.clear();
}

void WebGl::end()
{
    if (!program)
        setUp();
    const std::vector<float> *drawn = &vertices;
    GLenum mode = primitive;
    if (primitive == GL_QUADS) {
        // Each quad a b c d becomes the triangles a b c and a c d.
        triangles.clear();
        const std::size_t quad = 4 * kFloatsPerVertex;
        for (std::size_t q = 0; q + quad <= vertices.size(); q += quad)
            for (int corner : {0, 1, 2, 0, 2, 3}) {
                const float *v = &vertices[q + corner * kFloatsPerVertex];
                triangles.insert(triangles.end(), v, v + kFloatsPerVertex);
            }
        drawn = &triangles;
        mode = GL_TRIANGLES;
    }
    const Matrix transform = product(projection, modelView);
    float uniform[16];
    for (int i = 0; i < 16; ++i)
        uniform[i] = static_cast<float>(transform[i]);
    glUniformMatrix4fv(transformAt, 1, GL_FALSE, uniform);
    glBufferData(GL_ARRAY_BUFFER, drawn->size() * sizeof(float), drawn->data(), GL_STREAM_DRAW);
    glDrawArrays(mode, 0, static_cast<GLsizei>(drawn->size() / kFloatsPerVertex));
    vertices.clear();
}
