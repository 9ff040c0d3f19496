#include <cstdio>

#include "common/text.hpp"
#include "docif/model/model_shapes.hpp"

namespace plx::docif::model {
namespace {

// Appends values in a fixed form; optionals that are unset write "-" so an
// unset member never equals a set one.
class Print {
 public:
  explicit Print(std::string& out) : out_(out) {}
  Print& operator<<(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.4f|", v);
    out_ += buf;
    return *this;
  }
  Print& operator<<(long long v) {
    out_ += std::to_string(v) + "|";
    return *this;
  }
  Print& operator<<(int v) { return *this << static_cast<long long>(v); }
  Print& operator<<(uint32_t v) { return *this << static_cast<long long>(v); }
  Print& operator<<(bool v) { return *this << static_cast<long long>(v); }
  Print& operator<<(const std::wstring& v) {
    out_ += WideToUtf8(v) + "\x1f";
    return *this;
  }
  template <class T>
  Print& operator<<(const std::optional<T>& v) {
    if (v) return *this << *v;
    out_ += "-|";
    return *this;
  }

 private:
  std::string& out_;
};

void Add(std::string& out, const ShapeData& s) {
  Print p(out);
  p << s.name << s.type << s.autoShape << s.left << s.top << s.width << s.height << s.rotation
    << s.flipH << s.flipV << s.curve << s.altText << s.deleted
    << s.paragraphRelative;
  for (const auto& pt : s.points) p << static_cast<double>(pt.x) << static_cast<double>(pt.y);
  const LineFormat& l = s.line;
  p << l.Visible << l.Weight << l.ForeColor << l.DashStyle << l.BeginArrowheadStyle
    << l.BeginArrowheadLength << l.BeginArrowheadWidth << l.EndArrowheadStyle << l.EndArrowheadLength
    << l.EndArrowheadWidth;
  const FillFormat& f = s.fill;
  p << f.Visible << f.ForeColor << f.BackColor << f.Transparency << f.Pattern << f.PictureFile;
  p << s.wrap.AllowOverlap << s.wrap.Type;
  const TextFrameFormat& t = s.frame;
  p << t.MarginLeft << t.MarginRight << t.MarginTop << t.MarginBottom << t.Orientation;
  for (const auto& [type, value] : s.effects) p << type << value;
  if (s.picture) p << s.picture->width << s.picture->height << static_cast<long long>(s.picture->bytes.size());
  if (s.text) {
    // The text and the formats of each character: an edit or a new format
    // in a text box changes it.
    p << s.text->Text();
    for (long i = 0; i < s.text->Length(); ++i) p << s.text->Cell(i).format << s.text->Cell(i).paragraph;
  }
  out += "{";
  for (const auto& c : s.children) Add(out, *c);
  out += "}";
}

}  // namespace

std::string Fingerprint(const ShapeData& s) {
  std::string out;
  Add(out, s);
  return out;
}

}  // namespace plx::docif::model
