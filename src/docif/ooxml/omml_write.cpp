// MathNodes as OMML elements.
#include <algorithm>

#include "docif/ooxml/omml.hpp"
#include "docif/ooxml/omml_tree.hpp"
#include "docif/ooxml/xml_text.hpp"

namespace plx::docif::ooxml {
namespace {

using Kind = MathNode::Kind;

std::string Val(const char* element, const std::wstring& value) {
  return std::string("<") + element + " m:val=\"" + XmlEscape(value) + "\"/>";
}

// LibreOffice reads the text of a math run as its own formula language, in
// which these characters are syntax ("|" is "or", "_" a subscript, a lone
// bracket an error). Runs marked literal it shows as they are; Word shows
// literal runs like any other.
bool IsFormulaSyntax(wchar_t c) {
  static const std::wstring kSyntax = L"|&#%~`^_[]()\\";
  return kSyntax.find(c) != std::wstring::npos;
}

class OmmlWriter {
 public:
  explicit OmmlWriter(const std::string& runProperties) : rPr_(runProperties) {}

  // The runs of built-up text, formula syntax in literal runs of its own;
  // `aligned` marks an alignment point of an equation array just before it.
  std::string Run(const std::wstring& text, bool upright, bool aligned = false) const {
    std::string out;
    size_t i = 0;
    do {
      bool literal = i < text.size() && IsFormulaSyntax(text[i]);
      size_t j = i;
      while (j < text.size() && IsFormulaSyntax(text[j]) == literal) ++j;
      out += OneRun(text.substr(i, j - i), upright, literal, aligned && i == 0);
      i = j;
    } while (i < text.size());
    return out;
  }

  std::string OneRun(const std::wstring& text, bool upright, bool literal, bool aligned) const {
    std::string pr = std::string(literal ? "<m:lit/>" : "") + (upright ? "<m:sty m:val=\"p\"/>" : "") +
                     (aligned ? "<m:aln/>" : "");
    return "<m:r>" + (pr.empty() ? "" : "<m:rPr>" + pr + "</m:rPr>") + rPr_ + "<m:t xml:space=\"preserve\">" +
           XmlEscape(text) + "</m:t></m:r>";
  }

  std::string Node(const MathNode& n) const {
    const auto& k = n.kids;
    switch (n.kind) {
      case Kind::kText: return Run(n.text, n.word);
      case Kind::kRow: return Row(n);
      case Kind::kFrac: return "<m:f>" + Arg("m:num", k[0]) + Arg("m:den", k[1]) + "</m:f>";
      case Kind::kSup: return "<m:sSup>" + Arg("m:e", k[0]) + Arg("m:sup", k[1]) + "</m:sSup>";
      case Kind::kSub: return "<m:sSub>" + Arg("m:e", k[0]) + Arg("m:sub", k[1]) + "</m:sSub>";
      case Kind::kSubSup:
        return "<m:sSubSup>" + Arg("m:e", k[0]) + Arg("m:sub", k[1]) + Arg("m:sup", k[2]) + "</m:sSubSup>";
      case Kind::kRad:
        if (k[0].kids.empty())
          return "<m:rad><m:radPr><m:degHide m:val=\"1\"/></m:radPr><m:deg/>" + Arg("m:e", k[1]) + "</m:rad>";
        return "<m:rad>" + Arg("m:deg", k[0]) + Arg("m:e", k[1]) + "</m:rad>";
      case Kind::kDelim:
        return "<m:d><m:dPr>" + Val("m:begChr", n.open) + Val("m:endChr", n.close) + "</m:dPr>" + Arg("m:e", k[0]) +
               "</m:d>";
      case Kind::kMatrix: return Matrix(n);
      case Kind::kEqArr: {
        std::string out = "<m:eqArr>";
        for (const MathNode& row : k) out += "<m:e>" + Row(row, true) + "</m:e>";
        return out + "</m:eqArr>";
      }
      case Kind::kFunc: return "<m:func>" + Arg("m:fName", k[0]) + Arg("m:e", k[1]) + "</m:func>";
      case Kind::kLimLow: return "<m:limLow>" + Arg("m:e", k[0]) + Arg("m:lim", k[1]) + "</m:limLow>";
      case Kind::kLimUpp: return "<m:limUpp>" + Arg("m:e", k[0]) + Arg("m:lim", k[1]) + "</m:limUpp>";
      case Kind::kNary: {
        std::string pr = Val("m:chr", n.text) + Val("m:limLoc", n.undOvr ? L"undOvr" : L"subSup");
        if (k[0].kids.empty()) pr += "<m:subHide m:val=\"1\"/>";
        if (k[1].kids.empty()) pr += "<m:supHide m:val=\"1\"/>";
        return "<m:nary><m:naryPr>" + pr + "</m:naryPr>" + Arg("m:sub", k[0]) + Arg("m:sup", k[1]) +
               Arg("m:e", k[2]) + "</m:nary>";
      }
      case Kind::kAcc:
        return "<m:acc><m:accPr>" + Val("m:chr", n.text) + "</m:accPr>" + Arg("m:e", k[0]) + "</m:acc>";
      case Kind::kBar:
        return "<m:bar><m:barPr>" + Val("m:pos", n.text) + "</m:barPr>" + Arg("m:e", k[0]) + "</m:bar>";
    }
    return "";
  }

 private:
  std::string Arg(const char* tag, const MathNode& n) const {
    return std::string("<") + tag + ">" + Node(n) + "</" + tag + ">";
  }

  // A row's plain characters go into one run until something else comes.
  // In an equation array's rows "&" marks where the rows align: the run
  // after it carries the mark.
  std::string Row(const MathNode& row, bool alignMarks = false) const {
    std::string out;
    std::wstring text;
    bool aligned = false;
    auto flush = [&] {
      if (!text.empty() || aligned) out += Run(text, false, aligned);
      text.clear();
      aligned = false;
    };
    for (const MathNode& kid : row.kids) {
      if (alignMarks && kid.kind == Kind::kText && kid.text == L"&") {
        flush();
        aligned = true;
      } else if (kid.kind == Kind::kText && !kid.word) {
        text += kid.text;
      } else {
        flush();
        out += Node(kid);
      }
    }
    flush();
    return out;
  }

  // Rows are padded to the widest: a matrix is rectangular.
  std::string Matrix(const MathNode& m) const {
    size_t columns = 1;
    for (const MathNode& row : m.kids) columns = std::max(columns, row.kids.size());
    std::string out = "<m:m><m:mPr><m:mcs><m:mc><m:mcPr><m:count m:val=\"" + std::to_string(columns) +
                      "\"/><m:mcJc m:val=\"center\"/></m:mcPr></m:mc></m:mcs></m:mPr>";
    for (const MathNode& row : m.kids) {
      out += "<m:mr>";
      for (const MathNode& cell : row.kids) out += Arg("m:e", cell);
      for (size_t c = row.kids.size(); c < columns; ++c) out += "<m:e/>";
      out += "</m:mr>";
    }
    return out + "</m:m>";
  }

  const std::string& rPr_;
};

}  // namespace

std::string OMathXml(const std::wstring& linear, bool builtUp, const std::string& runProperties) {
  OmmlWriter writer(runProperties);
  std::string content = builtUp ? writer.Node(ParseLinear(linear)) : writer.OneRun(linear, false, false, false);
  return "<m:oMath>" + content + "</m:oMath>";
}

bool HasStructure(const std::wstring& linear) {
  MathNode row = ParseLinear(linear);
  return std::any_of(row.kids.begin(), row.kids.end(), [](const MathNode& n) { return n.kind != Kind::kText; });
}

}  // namespace plx::docif::ooxml
