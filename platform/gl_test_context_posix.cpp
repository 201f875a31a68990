// The test context through SDL.
#include "platform/gl_test_context.h"

#include <SDL.h>
#include <GL/gl.h>

#include <cstdio>

#include "platform/renderer_memory.h"

struct GlTestContext {
  SDL_Window* window;
  SDL_GLContext gl;
};

GlTestContext* gl_test_context_create(int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  platform_keep_renderer_memory();
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "gl_test_context: no video: %s\n", SDL_GetError());
    return nullptr;
  }
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_Window* window = SDL_CreateWindow("gl test", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                                        SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (!window) {
    std::fprintf(stderr, "gl_test_context: no window: %s\n", SDL_GetError());
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return nullptr;
  }
  SDL_GLContext gl = SDL_GL_CreateContext(window);
  if (!gl || SDL_GL_MakeCurrent(window, gl) != 0) {
    std::fprintf(stderr, "gl_test_context: no GL context: %s\n", SDL_GetError());
    if (gl) SDL_GL_DeleteContext(gl);
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return nullptr;
  }
  glViewport(0, 0, width, height);
  return new GlTestContext{window, gl};
}

void gl_test_context_destroy(GlTestContext* context) {
  if (!context) return;
  SDL_GL_MakeCurrent(context->window, nullptr);
  SDL_GL_DeleteContext(context->gl);
  SDL_DestroyWindow(context->window);
  delete context;
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
