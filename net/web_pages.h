// The venue's pages, embedded in the program: the index and the live board.
#pragma once
#include <string>

#include "net/web_routes.h"

std::string indexPage();
// The board with its options written in; a transparent board carries no background or logo.
std::string boardPage(const BoardOptions& options);
