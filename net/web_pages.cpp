#include "net/web_pages.h"

#include <cstddef>

#include "net/board_state.h"
#include "net/judge_desk.h"

// From the build: the files in net/pages/ (cmake/embed_files.cmake).
extern const unsigned char kIndexPage[];
extern const std::size_t kIndexPage_size;
extern const unsigned char kBoardPage[];
extern const std::size_t kBoardPage_size;
extern const unsigned char kJudgePage[];
extern const std::size_t kJudgePage_size;

namespace {

// What board.html holds for a page that follows the projector on a black background; each is
// unique in the file, and the page works as it stands (the file opened on its own).
const char kOptions[] = "const PAGE = {\"screen\": null, \"transparent\": false};";
const char kBackground[] = "html, body { background: #000; }";
const char kPicturesBegin[] = "<!--pictures-->";
const char kPicturesEnd[] = "<!--/pictures-->";

std::string bytes(const unsigned char* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

void replace(std::string& page, const std::string& what, const std::string& with) {
  const std::size_t at = page.find(what);
  if (at != std::string::npos) page.replace(at, what.size(), with);
}

}  // namespace

std::string indexPage() { return bytes(kIndexPage, kIndexPage_size); }

std::string boardPage(const BoardOptions& options) {
  std::string page = bytes(kBoardPage, kBoardPage_size);
  // Only the screens' own names reach the page, never text from the request.
  const std::string screen = options.screen >= 0 ? std::string("\"") + screenName(options.screen) + "\"" : "null";
  replace(page, kOptions,
          std::string("const PAGE = {\"screen\": ") + screen +
              ", \"transparent\": " + (options.transparent ? "true" : "false") + "};");
  if (options.transparent) {
    replace(page, kBackground, "html, body { background: transparent; }");
    const std::size_t begin = page.find(kPicturesBegin);
    const std::size_t end = page.find(kPicturesEnd);
    if (begin != std::string::npos && end != std::string::npos && end > begin)
      page.erase(begin, end + sizeof kPicturesEnd - 1 - begin);
  }
  return page;
}

std::string judgePage() { return bytes(kJudgePage, kJudgePage_size); }

std::string invalidLinkPage() {
  return "<!DOCTYPE html><html lang=\"zh-CN\"><head><meta charset=\"utf-8\"><meta name=\"viewport\" "
         "content=\"width=device-width, initial-scale=1\"><title>Quillet</title></head><body style=\"font: "
         "20px sans-serif; margin: 2em\"><p id=\"invalid\">" +
         invalidLinkText() + "</p></body></html>";
}
