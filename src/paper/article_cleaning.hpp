#pragma once
// The clean-ups an article gets before batch typesetting, as the settings
// of group "wzconfig" choose: manual line breaks made paragraph marks or
// removed, the teacher's find-and-replace rules, advertising paragraphs
// dropped.
namespace plx {

class AddinContext;

namespace docif {
class Document;
}

void CleanArticle(AddinContext& ctx, docif::Document& doc);

}  // namespace plx
