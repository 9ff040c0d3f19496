#include "connect/forms/simple_form.hpp"

#include "addin/addin_context.hpp"
#include "addin/control_makers.hpp"

namespace plx {
namespace {

Control Text(const wchar_t* name, const wchar_t* caption, const wchar_t* text = L"") { return Box(name, caption, text); }

}  // namespace

const std::vector<SimpleFormSpec>& SimpleForms() {
  static const std::vector<SimpleFormSpec> forms = {
      {L"frmTK", L"图库", {Text(L"tvwFolder", L"图库文件夹", L"几何")}, DialogMemory{3, {{L"tvwFolder"}}}},
      {L"frmShapeSelecter", L"选择器", {Options(L"optScope", L"选择范围", {L"本页", L"全文"})}, std::nullopt},
      {L"frmDot",
       L"点标注符",
       {Combo(L"cmbSize", L"标注大小", {L"五号", L"小五", L"六号", L"10", L"12"}, L"五号"),
        Options(L"optType", L"标注类型", {L"实心点", L"空心点", L"十字", L"叉号", L"小圆圈", L"小方块"}),
        Text(L"txtLabel", L"标注文字", L"A")},
       DialogMemory{4, {{L"cmbSize"}, {L"optType"}, {L"txtLabel"}}}},
      {L"frmXDT",
       L"线段图",
       {Options(L"optMode", L"模式", {L"和差问题", L"倍数问题"}), Text(L"txtText1", L"和差文字"),
        Text(L"txtText2", L"倍数文字"), Text(L"txtLen1", L"长度一", L"5"), Text(L"txtLen2", L"长度二", L"3")},
       DialogMemory{7, {{L"optMode", true}, {L"txtText1"}, {L"txtText2"}, {L"txtLen1"}, {L"txtLen2"}}}},
      {L"frmWordBat", L"批处理", {Text(L"txtFolder", L"文件夹")}, std::nullopt},
      {L"frmJiSuan", L"在线计算", {Text(L"txtExpr", L"算式")}, std::nullopt},
      {L"frmWeb", L"网络资源", {Text(L"txtAddress", L"地址")}, std::nullopt},
      {L"frmCCCS", L"关键词提取", {Text(L"txtText", L"文字")}, std::nullopt},
      {L"frmConvertEquation", L"公式转换", {Options(L"optDirection", L"方向", {L"域代码转TeX", L"TeX转域代码"})},
       std::nullopt},
      {L"frmKJLR", L"快捷录入", {Text(L"txtName", L"缩写"), Text(L"txtValue", L"内容")}, std::nullopt},
  };
  return forms;
}

const SimpleFormSpec* FindSimpleForm(const std::wstring& name) {
  for (const auto& f : SimpleForms())
    if (name == f.name) return &f;
  return nullptr;
}

SimpleForm::SimpleForm(AddinContext& ctx, const SimpleFormSpec& definition)
    : Form(ctx, definition.name), caption_(definition.caption), memory_(definition.memory) {
  for (const auto& c : definition.controls) AddControl(c);
  Control close;
  close.name = L"cmdClose";
  close.kind = ControlKind::Button;
  close.caption = L"关闭";
  close.click = [this] { Unload(); };
  AddControl(close);
}

void SimpleForm::Form_Load() {
  if (memory_) RestoreDialog(Ctx(), *this, *memory_);
}

void SimpleForm::Form_Unload() {
  if (memory_) SaveDialog(Ctx(), *this, *memory_);
}

}  // namespace plx
