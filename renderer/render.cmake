# The renderer's build, shared by the desktop build (renderer/CMakeLists.txt)
# and the web build (web/CMakeLists.txt). Included after project().

# The scenes' pictures depend on every rounding step: no fused multiply-add,
# no fast-math, ever. GCC 12's SLP vectorizer also drops float roundings: a
# pair (float)cos(a), (float)sin(a) widened back to double keeps the double
# values, so it stays off. Both builds compile all of their code so.
set(OSTRE3_ROUNDING_FLAGS -ffp-contract=off -fno-fast-math)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  list(APPEND OSTRE3_ROUNDING_FLAGS -fno-tree-slp-vectorize)
endif()

set(OSTRE3_RENDER_DIR ${CMAKE_CURRENT_LIST_DIR})

# The renderer as the static library `name`: scenes, their kit and the
# scene table. The render_platform.h in `platform_dir` chooses the call
# layer that draws on screen and the number type of the scenes'
# intermediate values.
function(ostre3_add_renderer name platform_dir)
  add_library(${name} STATIC
      ${OSTRE3_RENDER_DIR}/gl_recorder.cpp
      ${OSTRE3_RENDER_DIR}/scene_table.cpp
      ${OSTRE3_RENDER_DIR}/scene1_extruded_logo.cpp
      ${OSTRE3_RENDER_DIR}/scene2_burst_title.cpp
      ${OSTRE3_RENDER_DIR}/scene3_sunburst_cube.cpp
      ${OSTRE3_RENDER_DIR}/scene4_noise_cone.cpp
      ${OSTRE3_RENDER_DIR}/scene5_twisting_cylinder.cpp
      ${OSTRE3_RENDER_DIR}/scene6_double_pyramid.cpp
      ${OSTRE3_RENDER_DIR}/scene7_random_bundle.cpp
      ${OSTRE3_RENDER_DIR}/scene8_ray_sphere.cpp
      ${OSTRE3_RENDER_DIR}/scene9_fading_spiral.cpp
  )
  target_include_directories(${name} PUBLIC ${OSTRE3_RENDER_DIR} ${platform_dir})
  if(OSTRE3_PORTABLE_WIDE_FLOAT)
    target_compile_definitions(${name} PUBLIC OSTRE3_PORTABLE_WIDE_FLOAT)
  endif()
endfunction()
