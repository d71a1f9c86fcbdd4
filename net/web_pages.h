// The venue's two pages as the server sends them (UTF-8 HTML with their CSS and JavaScript
// inside): the index of links, and the live board with its options written in.  The pages
// themselves are net/pages/*.html, carried in the program; they fetch nothing from elsewhere.
#pragma once
#include <string>

#include "net/web_routes.h"

std::string indexPage();

// The board page for these options: the pinned screen and the transparent look are written
// into the page, and a transparent page holds no picture at all, so streaming software never
// loads the background or the logo.
std::string boardPage(const BoardOptions& options);

// A judge's page: it reads its seat and token from its own link and follows the event stream
// for the contestant open.  The page for a link that holds no longer is the notice alone.
std::string judgePage();
std::string invalidLinkPage();
