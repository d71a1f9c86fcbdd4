#include "net/web_pages.h"

// Stand-ins until the pages land.
std::string indexPage() { return "<!doctype html><meta charset=utf-8><title>Quillet</title><a href=/board>board</a>"; }

std::string boardPage(const BoardOptions& options) {
  return std::string("<!doctype html><meta charset=utf-8><title>Quillet</title>") +
         (options.transparent ? "" : "<img src=/data/bg.jpg>");
}
