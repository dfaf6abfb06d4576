// Scene 5: twisting line cylinder. Not built yet: it draws nothing, so the window keeps
// whatever the previous frame left.

#include "gl_backends.h"
#include "scenes.h"

template <class Gl>
void drawTwistingCylinder(Gl &, const Frame &)
{
}

INSTANTIATE_FOR_EVERY_GL(drawTwistingCylinder)
