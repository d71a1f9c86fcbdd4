// CCore's GDI+ drawing: text measuring and drawing with the font fall-back, and pictures
// decoded once per file version.
#include <algorithm>
#include <cmath>
#include <vector>

#include "kqcore/core_win.h"
#include "kqcore/config_defaults.h"
#include "kqcore/file_io.h"
#include "kqcore/wide_win.h"

using namespace Gdiplus;

namespace {

// English names of the Chinese faces the program asks for.
std::wstring englishName(const std::wstring& name) {
  if (name == L"黑体") return L"SimHei";
  if (name == L"宋体") return L"SimSun";
  if (name == L"新宋体") return L"NSimSun";
  if (name == L"微软雅黑") return L"Microsoft YaHei";
  if (name == L"楷体") return L"KaiTi";
  return std::wstring();
}

struct FileStamp {
  ULONGLONG size = 0;
  FILETIME written = {0, 0};
  bool operator==(const FileStamp& o) const {
    return size == o.size && written.dwLowDateTime == o.written.dwLowDateTime &&
           written.dwHighDateTime == o.written.dwHighDateTime;
  }
};

bool stampOf(const std::wstring& path, FileStamp& stamp) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
  stamp.size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  stamp.written = data.ftLastWriteTime;
  return true;
}

// Decodes a picture file into a premultiplied 32-bit bitmap of its own (the file is not
// kept open); null when it cannot be read or decoded.
std::unique_ptr<Bitmap> decode(const std::string& path) {
  std::string bytes;
  if (!fileio::readPrefix(path, 256u << 20, bytes) || bytes.empty()) return nullptr;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!memory) return nullptr;
  std::copy(bytes.begin(), bytes.end(), static_cast<char*>(GlobalLock(memory)));
  GlobalUnlock(memory);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
    GlobalFree(memory);
    return nullptr;
  }
  std::unique_ptr<Bitmap> result;
  {
    Bitmap source(stream);
    if (source.GetLastStatus() == Ok && source.GetWidth() > 0 && source.GetHeight() > 0) {
      const INT w = static_cast<INT>(source.GetWidth());
      const INT h = static_cast<INT>(source.GetHeight());
      result.reset(new Bitmap(w, h, PixelFormat32bppPARGB));
      if (result->GetLastStatus() == Ok) {
        Graphics g(result.get());
        g.SetCompositingMode(CompositingModeSourceCopy);
        g.DrawImage(&source, 0, 0, w, h);
      } else {
        result.reset();
      }
    }
  }
  stream->Release();  // frees the memory block too
  return result;
}

const StringFormat* measureFormat() {
  static StringFormat* format = [] {
    StringFormat* f = StringFormat::GenericTypographic()->Clone();
    f->SetFormatFlags(f->GetFormatFlags() | StringFormatFlagsMeasureTrailingSpaces | StringFormatFlagsNoWrap);
    return f;
  }();
  return format;
}

INT fontStyleFor(int style) { return style == 2 ? FontStyleBold : FontStyleRegular; }
int shadowOffset(int size) { return std::max(1, size / 24); }

}  // namespace

struct CCore::Picture {
  FileStamp stamp;
  std::unique_ptr<Bitmap> bitmap;
};

struct CCore::Drawing {
  std::map<std::wstring, std::unique_ptr<FontFamily>> families;
  std::map<std::string, Picture> pictures;
  std::unique_ptr<Bitmap> measureSurface;
  std::unique_ptr<Graphics> measurer;
};

// Construction and destruction live here, where the drawing state is a complete type.
CCore::CCore() : store_(configDefaults()), random_(5489u) {}
CCore::~CCore() = default;

FontFamily* CCore::family(const std::string& name) {
  if (!drawing_) drawing_.reset(new Drawing());
  const std::wstring wide = gbkToWide(name);
  auto it = drawing_->families.find(wide);
  if (it != drawing_->families.end()) return it->second.get();
  std::unique_ptr<FontFamily> found(new FontFamily(wide.c_str()));
  if (found->GetLastStatus() != Ok || !found->IsAvailable()) {
    const std::wstring english = englishName(wide);
    found.reset(english.empty() ? nullptr : new FontFamily(english.c_str()));
    if (!found || found->GetLastStatus() != Ok || !found->IsAvailable())
      found.reset(FontFamily::GenericSansSerif()->Clone());
  }
  FontFamily* result = found.get();
  drawing_->families[wide] = std::move(found);
  return result;
}

Size CCore::getTextBounds(const std::string& fontName, int size, const std::string& text) {
  if (size < 1) size = 1;
  FontFamily* fam = family(fontName);
  if (!drawing_->measurer) {
    drawing_->measureSurface.reset(new Bitmap(1, 1, PixelFormat32bppPARGB));
    drawing_->measurer.reset(new Graphics(drawing_->measureSurface.get()));
    drawing_->measurer->SetTextRenderingHint(TextRenderingHintAntiAlias);
  }
  const Font font(fam, static_cast<REAL>(size), FontStyleRegular, UnitPixel);
  const std::wstring wide = gbkToWide(text);
  RectF box;
  drawing_->measurer->MeasureString(wide.c_str(), static_cast<INT>(wide.size()), &font, PointF(0, 0), measureFormat(),
                                    &box);
  const int shadow = shadowOffset(size);
  // An empty text still has the line's height.
  const REAL lineHeight = font.GetHeight(static_cast<REAL>(96));
  const REAL height = std::max(box.Height, lineHeight);
  return Size(static_cast<INT>(std::ceil(box.Width)) + shadow, static_cast<INT>(std::ceil(height)) + shadow);
}

void CCore::drawStrSolid(Graphics* graphics, Point origin, int, const std::string& text, const std::string& fontName,
                         Color colour, int size, int style) {
  if (!graphics || text.empty()) return;
  if (size < 1) size = 1;
  FontFamily* fam = family(fontName);
  const Font font(fam, static_cast<REAL>(size), fontStyleFor(style), UnitPixel);
  const std::wstring wide = gbkToWide(text);
  graphics->SetTextRenderingHint(TextRenderingHintAntiAlias);
  const int shadow = shadowOffset(size);
  const BYTE shadowAlpha = static_cast<BYTE>(std::min<int>(colour.GetA(), style == 2 ? 150 : 120));
  SolidBrush shade(Color(shadowAlpha, 0, 0, 0));
  graphics->DrawString(wide.c_str(), static_cast<INT>(wide.size()), &font,
                       PointF(static_cast<REAL>(origin.X + shadow), static_cast<REAL>(origin.Y + shadow)),
                       measureFormat(), &shade);
  SolidBrush brush(colour);
  graphics->DrawString(wide.c_str(), static_cast<INT>(wide.size()), &font,
                       PointF(static_cast<REAL>(origin.X), static_cast<REAL>(origin.Y)), measureFormat(), &brush);
}

CCore::Picture* CCore::picture(const std::string& path) {
  if (!drawing_) drawing_.reset(new Drawing());
  FileStamp stamp;
  if (!stampOf(gbkToWide(path), stamp)) {
    drawing_->pictures.erase(path);
    return nullptr;
  }
  Picture& entry = drawing_->pictures[path];
  if (!pictureCacheOn_ || !entry.bitmap || !(entry.stamp == stamp)) {
    entry.bitmap = decode(path);
    entry.stamp = stamp;
  }
  return entry.bitmap ? &entry : nullptr;
}

Size CCore::getPicSize(const std::string& path) {
  Picture* p = picture(path);
  if (!p) return Size(0, 0);
  return Size(static_cast<INT>(p->bitmap->GetWidth()), static_cast<INT>(p->bitmap->GetHeight()));
}

void CCore::drawPic(Graphics& graphics, int x, int y, const std::string& path) {
  Picture* p = picture(path);
  if (!p) return;
  const INT w = static_cast<INT>(p->bitmap->GetWidth());
  const INT h = static_cast<INT>(p->bitmap->GetHeight());
  graphics.DrawImage(p->bitmap.get(), x, y, w, h);  // unscaled: pixel for pixel
}
