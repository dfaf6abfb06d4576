// Scene 1: extruded line logo. Not built yet: it draws nothing, so the window keeps
// whatever the previous frame left.

#include "gl_backends.h"
#include "scenes.h"

template <class Gl>
void drawExtrudedLogo(Gl &, const Frame &)
{
}

INSTANTIATE_FOR_EVERY_GL(drawExtrudedLogo)
