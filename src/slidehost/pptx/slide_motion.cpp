#include "slidehost/pptx/slide_motion.hpp"

#include <cmath>
#include <string>

namespace plx::slides::pptx {

namespace {

// A transition element with up to two attributes.
struct TransitionXml {
  const char* element = nullptr;
  const char* attr1 = nullptr;
  const char* value1 = nullptr;
  const char* attr2 = nullptr;
  const char* value2 = nullptr;
};

// Directions of the program's effect families, in the order of their codes.
constexpr const char* kSides[] = {"l", "u", "r", "d"};
constexpr const char* kCorners[] = {"lu", "ru", "ld", "rd"};

TransitionXml TransitionFor(int code) {
  const int family = code >> 8, member = code & 0xFF;
  auto side = [&](const char* el) { return TransitionXml{el, "dir", kSides[(member - 1) % 4]}; };
  auto eight = [&](const char* el) {
    return member <= 4 ? side(el) : TransitionXml{el, "dir", kCorners[(member - 5) % 4]};
  };
  switch (family) {
    case 1: return member == 2 ? TransitionXml{"p:cut", "thruBlk", "1"} : TransitionXml{"p:cut"};
    case 2: return {"p:random"};
    case 3: return {"p:blinds", "dir", member == 1 ? "horz" : "vert"};
    case 4: return {"p:checker", "dir", member == 1 ? "horz" : "vert"};
    case 5: return eight("p:cover");
    case 6: return {"p:dissolve"};
    case 7: return {"p:fade"};
    case 8: return eight("p:pull");
    case 9: return {"p:randomBar", "dir", member == 1 ? "horz" : "vert"};
    case 10: {
      // Strips: up-left, up-right, down-left, down-right, then the same
      // corners named the other way round.
      static constexpr const char* corners[] = {"lu", "ru", "ld", "rd", "lu", "ru", "ld", "rd"};
      return {"p:strips", "dir", corners[(member - 1) % 8]};
    }
    case 11: return side("p:wipe");
    case 12: return {"p:zoom", "dir", member == 1 ? "out" : "in"};
    case 13:
      if (member <= 8) return eight("p:cover");                // fly in: covers from that side
      if (member <= 16) return side("p:push");                 // peek and crawl
      if (member <= 22) return {"p:zoom", "dir", member % 2 ? "in" : "out"};
      if (member <= 28) return {"p:split", "orient", member % 2 ? "horz" : "vert", "dir", "out"};
      return {"p:wheel", "spokes", "1"};                       // swivel, spiral
    case 14: {
      static constexpr const char* orient[] = {"horz", "horz", "vert", "vert"};
      static constexpr const char* dir[] = {"out", "in", "out", "in"};
      return {"p:split", "orient", orient[(member - 1) % 4], "dir", dir[(member - 1) % 4]};
    }
    case 15:
      switch (member) {
        case 1: case 2: case 3: return {"p:fade", "thruBlk", "1"};  // flash once
        case 4: return {"p:cut"};                                     // appear
        case 5: return {"p:circle"};
        case 6: return {"p:diamond"};
        case 7: return {"p:comb", "dir", "horz"};
        case 8: return {"p:comb", "dir", "vert"};
        case 9: return {"p:fade"};
        case 10: return {"p:newsflash"};
        case 11: return {"p:plus"};
        case 12: return {"p:push", "dir", "d"};
        case 13: return {"p:push", "dir", "l"};
        case 14: return {"p:push", "dir", "r"};
        case 15: return {"p:push", "dir", "u"};
        case 16: return {"p:wedge"};
        case 17: return {"p:wheel", "spokes", "1"};
        case 18: return {"p:wheel", "spokes", "2"};
        case 19: return {"p:wheel", "spokes", "3"};
        case 20: return {"p:wheel", "spokes", "4"};
        case 21: return {"p:wheel", "spokes", "8"};
      }
      break;
  }
  return {};
}

// The filter that shows a shape for the program's entrance effect
// numbers; effects that move rather than wipe fade in.
const char* EntranceFilter(int effect) {
  switch (effect) {
    case 1: return nullptr;  // appear: shown at once
    case 3: return "blinds(horizontal)";
    case 4: return "box(in)";
    case 5: return "checkerboard(across)";
    case 6: return "circle(in)";
    case 8: return "diamond(in)";
    case 9: return "dissolve";
    case 12: return "slide(fromBottom)";
    case 13: return "plus(in)";
    case 14: return "randombar(horizontal)";
    case 16: return "barn(inVertical)";
    case 18: return "strips(downLeft)";
    case 20: return "wedge";
    case 21: return "wheel(1)";
    case 22: return "wipe(down)";
    default: return "fade";
  }
}

int Ms(double seconds) { return static_cast<int>(std::lround(seconds * 1000)); }

class TimeNodes {
 public:
  pugi::xml_node CTn(pugi::xml_node parent) {
    auto c = parent.append_child("p:cTn");
    c.append_attribute("id") = ++id_;
    return c;
  }
  static void Cond(pugi::xml_node cTn, const char* delay) {
    cTn.append_child("p:stCondLst").append_child("p:cond").append_attribute("delay") = delay;
  }

 private:
  int id_ = 0;
};

void Target(pugi::xml_node cBhvr, int shapeId) {
  cBhvr.append_child("p:tgtEl").append_child("p:spTgt").append_attribute("spid") = shapeId;
}

void EffectNode(TimeNodes& t, pugi::xml_node list, const model::EffectData& e, const char* nodeType) {
  auto cTn = t.CTn(list.append_child("p:par"));
  cTn.append_attribute("presetID") = e.effectId;
  cTn.append_attribute("presetClass") = "entr";
  cTn.append_attribute("presetSubtype") = 0;
  cTn.append_attribute("fill") = "hold";
  cTn.append_attribute("grpId") = 0;
  cTn.append_attribute("nodeType") = nodeType;
  TimeNodes::Cond(cTn, std::to_string(Ms(e.timing.triggerDelayTime)).c_str());
  auto children = cTn.append_child("p:childTnLst");
  auto set = children.append_child("p:set");
  auto setB = set.append_child("p:cBhvr");
  auto setT = t.CTn(setB);
  setT.append_attribute("dur") = 1;
  setT.append_attribute("fill") = "hold";
  TimeNodes::Cond(setT, "0");
  Target(setB, e.shapeId);
  setB.append_child("p:attrNameLst").append_child("p:attrName").text() = "style.visibility";
  set.append_child("p:to").append_child("p:strVal").append_attribute("val") = "visible";
  if (const char* filter = EntranceFilter(e.effectId)) {
    auto anim = children.append_child("p:animEffect");
    anim.append_attribute("transition") = "in";
    anim.append_attribute("filter") = filter;
    auto b = anim.append_child("p:cBhvr");
    t.CTn(b).append_attribute("dur") = Ms(e.timing.duration);
    Target(b, e.shapeId);
  }
}

}  // namespace

void AppendTransition(pugi::xml_node sld, int entryEffect) {
  if (entryEffect == 0) return;
  const TransitionXml x = TransitionFor(entryEffect);
  if (!x.element) return;
  auto tr = sld.append_child("p:transition");
  tr.append_attribute("spd") = "med";
  auto el = tr.append_child(x.element);
  if (x.attr1) el.append_attribute(x.attr1) = x.value1;
  if (x.attr2) el.append_attribute(x.attr2) = x.value2;
}

// The main sequence: an effect started on a click opens a click group;
// one started with the previous joins its step, one started after the
// previous opens a new step of the same group.
void AppendTiming(pugi::xml_node sld, const model::SlideData& slide) {
  if (slide.effects.empty()) return;
  TimeNodes t;
  auto timing = sld.append_child("p:timing");
  auto root = t.CTn(timing.append_child("p:tnLst").append_child("p:par"));
  root.append_attribute("dur") = "indefinite";
  root.append_attribute("restart") = "never";
  root.append_attribute("nodeType") = "tmRoot";
  auto seq = root.append_child("p:childTnLst").append_child("p:seq");
  seq.append_attribute("concurrent") = 1;
  seq.append_attribute("nextAc") = "seek";
  auto main = t.CTn(seq);
  main.append_attribute("dur") = "indefinite";
  main.append_attribute("nodeType") = "mainSeq";
  auto groups = main.append_child("p:childTnLst");
  auto prev = seq.append_child("p:prevCondLst").append_child("p:cond");
  prev.append_attribute("evt") = "onPrev";
  prev.append_attribute("delay") = 0;
  prev.append_child("p:tgtEl").append_child("p:sldTgt");
  auto next = seq.append_child("p:nextCondLst").append_child("p:cond");
  next.append_attribute("evt") = "onNext";
  next.append_attribute("delay") = 0;
  next.append_child("p:tgtEl").append_child("p:sldTgt");

  pugi::xml_node groupList, stepList;
  double stepStart = 0, stepLength = 0;
  for (const auto& e : slide.effects) {
    const int trigger = groupList ? e.timing.triggerType : kTriggerOnPageClick;
    if (trigger == kTriggerOnPageClick) {
      auto g = t.CTn(groups.append_child("p:par"));
      g.append_attribute("fill") = "hold";
      TimeNodes::Cond(g, "indefinite");
      groupList = g.append_child("p:childTnLst");
      stepStart = stepLength = 0;
      stepList = {};
    }
    if (!stepList || trigger == kTriggerAfterPrevious) {
      stepStart += stepLength;
      stepLength = 0;
      auto s = t.CTn(groupList.append_child("p:par"));
      s.append_attribute("fill") = "hold";
      TimeNodes::Cond(s, std::to_string(Ms(stepStart)).c_str());
      stepList = s.append_child("p:childTnLst");
    }
    const char* type = trigger == kTriggerOnPageClick ? "clickEffect"
                       : trigger == kTriggerAfterPrevious ? "afterEffect" : "withEffect";
    EffectNode(t, stepList, e, type);
    stepLength = std::max(stepLength, e.timing.triggerDelayTime + e.timing.duration);
  }
}

}  // namespace plx::slides::pptx
