// A text measure without fonts: every GBK character is `size` wide, every ASCII character
// half of that, and a line is `size` high.  Tests can make chosen texts measure wider.
#pragma once
#include <map>
#include <string>

#include "scoreboard/text_runs.h"

struct FakeMeasure {
  std::map<std::string, int> widthAtSize60;  // exact widths for chosen texts at size 60
  int heightFactorPercent = 100;

  MeasureText fn() const {
    return [this](const std::string&, int size, const std::string& text) {
      auto it = widthAtSize60.find(text);
      if (it != widthAtSize60.end() && size == 60) return TextSize{it->second, size};
      int halfWidths = 0;
      for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x81 && i + 1 < text.size()) {
          halfWidths += 2;
          ++i;
        } else {
          halfWidths += 1;
        }
      }
      return TextSize{halfWidths * size / 2, size * heightFactorPercent / 100};
    };
  }
};
