// Scene 6: double pyramid in a pulsing band. Not built yet: it draws nothing, so the window keeps
// whatever the previous frame left.

#include "gl_backends.h"
#include "scenes.h"

template <class Gl>
void drawDoublePyramid(Gl &, const Frame &)
{
}

INSTANTIATE_FOR_EVERY_GL(drawDoublePyramid)
