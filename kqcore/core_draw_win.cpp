// CCore's GDI+ drawing: text measuring and drawing with the font fall-back, and pictures
// decoded once per file version.
#include <algorithm>
#include <cmath>
#include <vector>

#include "kqcore/core_win.h"
#include "kqcore/file_io.h"
#include "kqcore/pixel_blend.h"
#include "kqcore/text_image.h"
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

// Decodes a picture file into premultiplied pixels of its own (the file is not kept open);
// false when it cannot be read or decoded.
bool decode(const std::string& path, PixelImage& image) {
  std::string bytes;
  image = PixelImage();
  if (!fileio::readPrefix(path, 256u << 20, bytes) || bytes.empty()) return false;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!memory) return false;
  std::copy(bytes.begin(), bytes.end(), static_cast<char*>(GlobalLock(memory)));
  GlobalUnlock(memory);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
    GlobalFree(memory);
    return false;
  }
  {
    Bitmap source(stream);
    const UINT w = source.GetWidth();
    const UINT h = source.GetHeight();
    if (source.GetLastStatus() == Ok && w > 0 && h > 0 && w <= 20000 && h <= 20000) {
      image.width = static_cast<int>(w);
      image.height = static_cast<int>(h);
      image.pixels.assign(static_cast<std::size_t>(w) * h, 0u);
      BitmapData data = {};
      data.Width = w;
      data.Height = h;
      data.Stride = static_cast<INT>(w * 4);
      data.PixelFormat = PixelFormat32bppPARGB;
      data.Scan0 = image.pixels.data();
      Rect all(0, 0, static_cast<INT>(w), static_cast<INT>(h));
      if (source.LockBits(&all, ImageLockModeRead | ImageLockModeUserInputBuf, PixelFormat32bppPARGB, &data) == Ok) {
        source.UnlockBits(&data);
        image.opaque = allOpaque(image.pixels);
      } else {
        image = PixelImage();
      }
    }
  }
  stream->Release();  // frees the memory block too
  return image.width > 0;
}

// The pixels of the 32-bit DIB section selected into the graphics' device context, if any:
// row 0 (the frame's top) and the step from one row to the next, in pixels.
struct TargetPixels {
  std::uint32_t* top = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
};

TargetPixels targetOf(Graphics& graphics) {
  TargetPixels target;
  HDC dc = graphics.GetHDC();
  if (!dc) return target;
  DIBSECTION dib = {};
  HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
  if (bitmap && GetObjectW(bitmap, sizeof dib, &dib) == sizeof dib && dib.dsBm.bmBits && dib.dsBm.bmBitsPixel == 32 &&
      dib.dsBm.bmWidth > 0 && dib.dsBm.bmHeight > 0) {
    auto* bits = static_cast<std::uint32_t*>(dib.dsBm.bmBits);
    const int w = dib.dsBm.bmWidth;
    const int h = dib.dsBm.bmHeight;
    std::uint32_t* lastRow = bits + static_cast<std::size_t>(h - 1) * w;
    bool topDown = dib.dsBmih.biHeight < 0;
    if (!topDown) {
      // Some systems report the height without its sign: ask the DC where its top row is.
      GdiFlush();
      const std::uint32_t savedFirst = bits[0], savedLast = lastRow[0];
      bits[0] = lastRow[0] = 0;
      SetPixelV(dc, 0, 0, RGB(0x12, 0x34, 0x56));
      GdiFlush();
      topDown = bits[0] != 0;
      bits[0] = savedFirst;
      lastRow[0] = savedLast;
    }
    target.top = topDown ? bits : lastRow;
    target.stride = topDown ? w : -w;
    target.width = w;
    target.height = h;
  }
  graphics.ReleaseHDC(dc);
  GdiFlush();
  return target;
}

// Lays image over what the graphics has drawn so far: straight into the frame's pixels when
// the graphics draws on a top-down 32-bit DIB section (every frame does), else through GDI+.
void layOver(Graphics& graphics, const PixelImage& image, int x, int y) {
  if (image.width <= 0) return;
  const TargetPixels target = targetOf(graphics);
  if (target.top) {
    // Honour the graphics' clip, as GDI+ itself would: a frame redrawn in part clips to it.
    PixelRect clip{0, 0, target.width, target.height};
    Rect bounds;
    if (graphics.GetClipBounds(&bounds) == Ok)
      clip = intersect(clip, PixelRect{bounds.X, bounds.Y, bounds.X + bounds.Width, bounds.Y + bounds.Height});
    blendOver(target.top, target.width, target.height, target.stride, image, x, y, clip);
    return;
  }
  Bitmap wrapped(image.width, image.height, image.width * 4, PixelFormat32bppPARGB,
                 reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(image.pixels.data())));
  graphics.DrawImage(&wrapped, x, y, image.width, image.height);
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
  PixelImage image;
  std::uint64_t version = 0;
};

// Rendered text, kept so a frame only renders what changed since the last one.
struct TextKey {
  std::string font;
  int size;
  int style;
  ARGB colour;
  std::string text;
  bool operator<(const TextKey& o) const {
    if (size != o.size) return size < o.size;
    if (style != o.style) return style < o.style;
    if (colour != o.colour) return colour < o.colour;
    if (font != o.font) return font < o.font;
    return text < o.text;
  }
};

struct MeasureKey {
  std::string font;
  int size;
  std::string text;
  bool operator<(const MeasureKey& o) const {
    if (size != o.size) return size < o.size;
    if (font != o.font) return font < o.font;
    return text < o.text;
  }
};

struct CachedText {
  PixelImage image;
  unsigned long long lastUse = 0;
};

struct CCore::Drawing {
  std::map<std::wstring, std::unique_ptr<FontFamily>> families;
  std::map<std::string, Picture> pictures;
  std::map<MeasureKey, Size> measured;
  std::map<TextKey, CachedText> rendered;
  std::size_t renderedBytes = 0;
  unsigned long long useCounter = 0;
  std::uint64_t decodings = 0;
  std::unique_ptr<Bitmap> measureSurface;
  std::unique_ptr<Graphics> measurer;
};

namespace {

// Bounds of the caches: a long event renders many score texts; old ones make room.
const std::size_t kMaxRenderedBytes = 48u << 20;
const std::size_t kMaxMeasured = 20000;

}  // namespace

// Construction and destruction live here, where the drawing state is a complete type.
CCore::CCore(ConfigStore::Defaults defaults) : store_(std::move(defaults)), random_(5489u) {}
CCore::~CCore() = default;

namespace {

std::unique_ptr<FontFamily> usable(FontFamily* f) {
  std::unique_ptr<FontFamily> owned(f);
  if (!owned || owned->GetLastStatus() != Ok || !owned->IsAvailable()) return nullptr;
  return owned;
}

// The family for a name: the name itself, its English name, the system's generic sans-serif,
// common faces, and at last any installed family, so text is drawn on any machine.
std::unique_ptr<FontFamily> findFamily(const std::wstring& name) {
  if (auto f = usable(new FontFamily(name.c_str()))) return f;
  const std::wstring english = englishName(name);
  if (!english.empty())
    if (auto f = usable(new FontFamily(english.c_str()))) return f;
  const FontFamily* generic = FontFamily::GenericSansSerif();
  if (generic && generic->GetLastStatus() == Ok)
    if (auto f = usable(generic->Clone())) return f;
  for (const wchar_t* face : {L"Microsoft YaHei", L"SimHei", L"SimSun", L"Arial", L"Tahoma", L"Liberation Sans",
                              L"WenQuanYi Micro Hei", L"WenQuanYi Zen Hei"})
    if (auto f = usable(new FontFamily(face))) return f;
  InstalledFontCollection installed;
  const INT count = installed.GetFamilyCount();
  if (count > 0) {
    std::vector<FontFamily> families(static_cast<std::size_t>(count));
    INT found = 0;
    installed.GetFamilies(count, families.data(), &found);
    for (INT i = 0; i < found; ++i)
      if (auto f = usable(families[static_cast<std::size_t>(i)].Clone())) return f;
  }
  return nullptr;
}

}  // namespace

FontFamily* CCore::family(const std::string& name) {
  if (!drawing_) drawing_.reset(new Drawing());
  const std::wstring wide = gbkToWide(name);
  auto it = drawing_->families.find(wide);
  if (it != drawing_->families.end()) return it->second.get();
  std::unique_ptr<FontFamily> found = findFamily(wide);
  FontFamily* result = found.get();
  drawing_->families[wide] = std::move(found);
  return result;
}

Size CCore::getTextBounds(const std::string& fontName, int size, const std::string& text) {
  if (size < 1) size = 1;
  FontFamily* fam = family(fontName);
  if (!fam) return Size(0, 0);  // no font at all on this machine
  MeasureKey key{fontName, size, text};
  auto hit = drawing_->measured.find(key);
  if (hit != drawing_->measured.end()) return hit->second;
  if (drawing_->measured.size() >= kMaxMeasured) drawing_->measured.clear();
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
  const Size result(static_cast<INT>(std::ceil(box.Width)) + shadow, static_cast<INT>(std::ceil(height)) + shadow);
  drawing_->measured[key] = result;
  return result;
}

void CCore::drawStrSolid(Graphics* graphics, Point origin, int, const std::string& text, const std::string& fontName,
                         Color colour, int size, int style) {
  if (!graphics || text.empty()) return;
  if (size < 1) size = 1;
  const Size bounds = getTextBounds(fontName, size, text);
  if (bounds.Width <= 0 || bounds.Height <= 0) return;
  Drawing& d = *drawing_;
  TextKey key{fontName, size, style, colour.GetValue(), text};
  CachedText& entry = d.rendered[key];
  if (entry.image.width == 0) {
    // Render once: shadow, then the text, onto transparent premultiplied pixels.
    PixelImage& image = entry.image;
    image.width = textImageWidth(bounds.Width, size);
    image.height = textImageHeight(bounds.Height);
    image.pixels.assign(static_cast<std::size_t>(image.width) * image.height, 0u);
    {
      Bitmap target(image.width, image.height, image.width * 4, PixelFormat32bppPARGB,
                    reinterpret_cast<BYTE*>(image.pixels.data()));
      Graphics g(&target);
      g.SetTextRenderingHint(TextRenderingHintAntiAlias);
      g.SetSmoothingMode(SmoothingModeAntiAlias);
      const Font font(family(fontName), static_cast<REAL>(size), fontStyleFor(style), UnitPixel);
      const std::wstring wide = gbkToWide(text);
      const int shadow = shadowOffset(size);
      const BYTE shadowAlpha = static_cast<BYTE>(std::min<int>(colour.GetA(), style == 2 ? 150 : 120));
      SolidBrush shade(Color(shadowAlpha, 0, 0, 0));
      g.DrawString(wide.c_str(), static_cast<INT>(wide.size()), &font,
                   PointF(static_cast<REAL>(kTextPad + shadow), static_cast<REAL>(kTextPad + shadow)), measureFormat(),
                   &shade);
      SolidBrush brush(colour);
      g.DrawString(wide.c_str(), static_cast<INT>(wide.size()), &font,
                   PointF(static_cast<REAL>(kTextPad), static_cast<REAL>(kTextPad)), measureFormat(), &brush);
    }
    d.renderedBytes += image.pixels.size() * 4;
  }
  entry.lastUse = ++d.useCounter;
  layOver(*graphics, entry.image, origin.X - kTextPad, origin.Y - kTextPad);

  if (d.renderedBytes > kMaxRenderedBytes || d.rendered.size() > textCacheLimit_) {
    // Drop the half used longest ago; the text just drawn is the newest and stays.
    std::vector<unsigned long long> uses;
    uses.reserve(d.rendered.size());
    for (const auto& e : d.rendered) uses.push_back(e.second.lastUse);
    std::nth_element(uses.begin(), uses.begin() + uses.size() / 2, uses.end());
    const unsigned long long cutoff = uses[uses.size() / 2];
    for (auto it = d.rendered.begin(); it != d.rendered.end();) {
      if (it->second.lastUse < cutoff) {
        d.renderedBytes -= it->second.image.pixels.size() * 4;
        it = d.rendered.erase(it);
      } else {
        ++it;
      }
    }
  }
}

std::size_t CCore::cachedTexts() const { return drawing_ ? drawing_->rendered.size() : 0; }

CCore::Picture* CCore::picture(const std::string& path) {
  if (!drawing_) drawing_.reset(new Drawing());
  FileStamp stamp;
  if (!stampOf(gbkToWide(path), stamp)) {
    drawing_->pictures.erase(path);
    return nullptr;
  }
  Picture& entry = drawing_->pictures[path];
  if (!pictureCacheOn_ || entry.image.width == 0 || !(entry.stamp == stamp)) {
    decode(path, entry.image);
    entry.stamp = stamp;
    entry.version = ++drawing_->decodings;
  }
  return entry.image.width > 0 ? &entry : nullptr;
}

Size CCore::getPicSize(const std::string& path) {
  Picture* p = picture(path);
  if (!p) return Size(0, 0);
  return Size(p->image.width, p->image.height);
}

std::uint64_t CCore::getPicVersion(const std::string& path) {
  Picture* p = picture(path);
  return p ? p->version : 0;
}

void CCore::drawPic(Graphics& graphics, int x, int y, const std::string& path) {
  Picture* p = picture(path);
  if (p) layOver(graphics, p->image, x, y);  // unscaled: pixel for pixel
}
