#include "docif/uno/uno_application.hpp"

#include <map>
#include <vector>

#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/configuration/theDefaultProvider.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/io/IOException.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/TextGridMode.hpp>
#include <com/sun/star/util/PathSubstitution.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <osl/file.hxx>

#include "common/error.hpp"
#include "docif/model/doc_data.hpp"
#include "docif/model/model_application.hpp"
#include "docif/uno/uno_document.hpp"
#include "docif/uno/uno_collections.hpp"
#include "docif/uno/uno_errors.hpp"
#include "docif/uno/uno_files.hpp"
#include "docif/uno/uno_formats.hpp"
#include "docif/uno/uno_text.hpp"

namespace plx::docif::lo {

using namespace css;

namespace {

// A new document starts as the word processor's blank document does (and
// the model's): A4 with its margins, 正文 in Times New Roman and 宋体 at
// 10.5 pt, justified, on a line grid. Writer's own would give 2 cm
// margins, 12 pt DejaVu Serif and free lines, so the add-in's figures and
// text would not stand where they do on the other host.
void MakeBlank(UnoDocument& doc) {
  const model::CharFormat text;
  const docif::PageSetup page;
  doc.SetPageSetup(page);
  // Its lines stand on the blank document's line grid (15.6 pt), as the
  // model lays a new document out and saves it.
  constexpr double kLinePitch = 15.6;
  Reference<style::XStyleFamiliesSupplier> families(doc.Writer()->story.Document(), uno::UNO_QUERY_THROW);
  Reference<container::XNameAccess> pages(families->getStyleFamilies()->getByName("PageStyles"), uno::UNO_QUERY_THROW);
  Reference<beans::XPropertySet> pageStyle(pages->getByName("Standard"), uno::UNO_QUERY_THROW);
  pageStyle->setPropertyValue("GridMode", uno::Any(text::TextGridMode::LINES));
  pageStyle->setPropertyValue("GridRubyHeight", uno::Any(sal_Int32(0)));
  pageStyle->setPropertyValue("GridBaseHeight", uno::Any(static_cast<sal_Int32>(ToMm100(kLinePitch))));
  pageStyle->setPropertyValue(
      "GridLines",
      uno::Any(static_cast<sal_Int16>((page.PageHeight - page.TopMargin - page.BottomMargin) / kLinePitch)));
  auto normal = doc.GetStyles()->Item(L"正文");
  normal->SetFont({.NameAscii = text.ascii, .NameFarEast = text.farEast, .Size = text.size});
  normal->SetParagraphFormat({.Alignment = model::ParaFormat{}.alignment});
  // Shapes are laid out as in a Word document, with the settings
  // LibreOffice gives every .docx it opens: above all, a shape may stand
  // off the page (a number line is drawn about its origin and then moved;
  // kept on the page, its items were pushed together).
  Reference<lang::XMultiServiceFactory> factory(doc.Writer()->story.Document(), uno::UNO_QUERY_THROW);
  Reference<beans::XPropertySet> settings(factory->createInstance("com.sun.star.text.DocumentSettings"),
                                          uno::UNO_QUERY_THROW);
  for (const char* name : {"DoNotCaptureDrawObjsOnPage", "ConsiderTextWrapOnObjPos", "SurroundTextWrapSmall",
                           "WordLikeWrapForAsCharFlys"})
    settings->setPropertyValue(rtl::OUString::createFromAscii(name), uno::Any(true));
  doc.SetSaved(true);
}

[[noreturn]] void NoDocument() { Raise(4248, L"该命令无效，因为没有打开的文档。"); }

// The office's own version ("7.4"), from its configuration.
std::wstring OfficeVersion(const Reference<uno::XComponentContext>& office) {
  try {
    auto provider = configuration::theDefaultProvider::get(office);
    beans::NamedValue path("nodepath", uno::Any(rtl::OUString("/org.openoffice.Setup/Product")));
    uno::Sequence<uno::Any> args(1);
    args.getArray()[0] <<= path;
    Reference<container::XNameAccess> product(
        provider->createInstanceWithArguments("com.sun.star.configuration.ConfigurationAccess", args),
        uno::UNO_QUERY_THROW);
    rtl::OUString version;
    product->getByName("ooSetupVersion") >>= version;
    return FromOUString(version);
  } catch (const uno::Exception&) {
    return L"";
  }
}

std::wstring ProgramFolder(const Reference<uno::XComponentContext>& office) {
  const rtl::OUString url = util::PathSubstitution::create(office)->substituteVariables("$(prog)", true);
  rtl::OUString path;
  if (osl::FileBase::getSystemPathFromFileURL(url, path) != osl::FileBase::E_None) return FromOUString(url);
  return FromOUString(path);
}

class UnoWindow final : public Window {
 public:
  explicit UnoWindow(std::shared_ptr<UnoDocument> doc) : doc_(std::move(doc)) {}
  double FirstPageWidth() const override try { return doc_->PageSetup().PageWidth; } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  double FirstPageHeight() const override try { return doc_->PageSetup().PageHeight; } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  bool ShowFieldCodes() const override try { return doc_->Writer()->showFieldCodes; } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  void SetShowFieldCodes(bool show) override try { doc_->Writer()->showFieldCodes = show; } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

 private:
  std::shared_ptr<UnoDocument> doc_;
};

class UnoApplication;

class UnoDocuments final : public Documents {
 public:
  explicit UnoDocuments(std::shared_ptr<UnoApplication> app) : app_(std::move(app)) {}
  int Count() const override;
  std::shared_ptr<Document> Item(int index) override;
  std::shared_ptr<Document> Add() override;
  std::shared_ptr<Document> Open(const std::wstring& path, bool readOnly) override;
  void Close(const std::shared_ptr<Document>& document) override;

 private:
  std::shared_ptr<UnoApplication> app_;
};

class UnoApplication final : public Application, public std::enable_shared_from_this<UnoApplication> {
 public:
  UnoApplication(const Reference<uno::XComponentContext>& office, const std::wstring& version)
      : desktop_(frame::Desktop::create(office)), version_(version.empty() ? OfficeVersion(office) : version),
        path_(ProgramFolder(office)) {
    for (auto& t : model::NumberingGallery()) numbering_.push_back(t);
    // The host's align and distribute controls arrange Writer's selected shapes.
    bars_->AddArrangeControls(*this);
  }

  std::wstring Version() const override try { return version_; } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  std::wstring Path() const override try { return path_; } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  // Writer's toolbars are not the host's command bars: the add-in's legacy
  // bars live here for as long as it is connected.
  std::shared_ptr<CommandBars> GetCommandBars() override try { return bars_; } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  std::shared_ptr<COMAddIns> GetCOMAddIns() override try { return addIns_; } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  std::shared_ptr<Documents> GetDocuments() override try { return std::make_shared<UnoDocuments>(shared_from_this()); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  std::shared_ptr<Document> ActiveDocument() override try { return Active(); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  std::shared_ptr<Selection> GetSelection() override try { return std::make_shared<UnoSelection>(Active()->Writer()); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  std::shared_ptr<Window> ActiveWindow() override try { return std::make_shared<UnoWindow>(Active()); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  bool ScreenUpdating() const override try { return screenUpdating_; } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  void SetScreenUpdating(bool on) override try {
    // Writer repaints nothing while its controllers are locked.
    if (on == screenUpdating_) return;
    screenUpdating_ = on;
    for (auto& [model, doc] : documents_) {
      if (on) doc->Writer()->model->unlockControllers();
      else doc->Writer()->model->lockControllers();
    }
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  // Writer keeps its AutoCorrect options out of reach of UNO; the add-in's
  // own entries and switches live here while it is connected.
  std::shared_ptr<AutoCorrect> GetAutoCorrect() override try { return autoCorrect_; } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  std::shared_ptr<ListTemplate> NumberingTemplate(int index) override try {
    return MemberAt(numbering_, index);
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  void Run(const std::wstring& macroName) override try {
    const auto it = macros_.find(macroName);
    if (it == macros_.end() || !it->second) Raise(err::kInvalidCall, L"LibreOffice 中没有宏命令“" + macroName + L"”。");
    const auto handler = it->second;  // a copy: the handler may register macros
    handler();
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  void SetMacro(const std::wstring& name, std::function<void()> handler) { macros_[name] = std::move(handler); }
  void StartCustomRecord(const std::wstring& name) override try {
    if (openRecords_++ > 0) return;
    try {
      undoDocument_ = Active();
      Undo(*undoDocument_)->enterUndoContext(ToOUString(name));
    } catch (const VbError&) {
      undoDocument_.reset();  // no document: nothing to group
    }
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }
  void EndCustomRecord() override try {
    if (openRecords_ == 0 || --openRecords_ > 0) return;
    // The command is over: Writer's view shows where it left the selection.
    for (const auto& [model, doc] : documents_) doc->Writer()->FlushSelection();
    if (!undoDocument_) return;
    auto doc = std::move(undoDocument_);
    Undo(*doc)->leaveUndoContext();
  } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

  // The adapter's document for a Writer model: one per model, so every
  // range of it shares one mirror.
  std::shared_ptr<UnoDocument> Adopt(const Reference<frame::XModel>& model) {
    for (auto& [m, doc] : documents_)
      if (m == model) return doc;
    Reference<text::XTextDocument> text(model, uno::UNO_QUERY);
    if (!text.is()) Raise(err::kInvalidCall, L"LibreOffice 的当前文档不是 Writer 文档。");
    auto doc = std::make_shared<UnoDocument>(std::make_shared<WriterDoc>(text));
    documents_.emplace_back(model, doc);
    return doc;
  }
  std::shared_ptr<UnoDocument> Active() {
    Reference<frame::XModel> current(desktop_->getCurrentComponent(), uno::UNO_QUERY);
    if (current.is() && Reference<text::XTextDocument>(current, uno::UNO_QUERY).is()) active_ = Adopt(current);
    if (!active_) NoDocument();
    return active_;
  }
  void SetActive(std::shared_ptr<UnoDocument> doc) { active_ = std::move(doc); }
  void Forget(const std::shared_ptr<Document>& document) {
    std::erase_if(documents_, [&](const auto& d) { return d.second == document; });
    if (active_ == document) active_ = documents_.empty() ? nullptr : documents_.back().second;
  }
  std::vector<std::shared_ptr<UnoDocument>> Open() const {
    std::vector<std::shared_ptr<UnoDocument>> out;
    for (const auto& [model, doc] : documents_) out.push_back(doc);
    return out;
  }
  const Reference<frame::XDesktop2>& Desktop() const { return desktop_; }

 private:
  static Reference<document::XUndoManager> Undo(UnoDocument& doc) {
    return Reference<document::XUndoManagerSupplier>(doc.Writer()->model, uno::UNO_QUERY_THROW)->getUndoManager();
  }

  Reference<frame::XDesktop2> desktop_;
  std::wstring version_, path_;
  std::shared_ptr<model::ModelCommandBars> bars_ = std::make_shared<model::ModelCommandBars>();
  std::shared_ptr<model::ModelAddIns> addIns_ = std::make_shared<model::ModelAddIns>();
  std::shared_ptr<model::ModelAutoCorrect> autoCorrect_ = std::make_shared<model::ModelAutoCorrect>();
  std::vector<std::shared_ptr<ListTemplate>> numbering_;
  std::map<std::wstring, std::function<void()>> macros_;
  std::vector<std::pair<Reference<frame::XModel>, std::shared_ptr<UnoDocument>>> documents_;
  std::shared_ptr<UnoDocument> active_;
  std::shared_ptr<UnoDocument> undoDocument_;
  int openRecords_ = 0;
  bool screenUpdating_ = true;
};

// Loads a document hidden (the command-line host and tests show no window).
Reference<frame::XModel> Load(UnoApplication& app, const rtl::OUString& url, bool readOnly) {
  uno::Sequence<beans::PropertyValue> args(2);
  args.getArray()[0].Name = "Hidden";
  args.getArray()[0].Value <<= true;
  args.getArray()[1].Name = "ReadOnly";
  args.getArray()[1].Value <<= readOnly;
  Reference<frame::XModel> model(app.Desktop()->loadComponentFromURL(url, "_blank", 0, args), uno::UNO_QUERY);
  return model;
}

int UnoDocuments::Count() const try { return static_cast<int>(app_->Open().size()); } catch (const css::uno::Exception& e) { RaiseFromUno(e); }

std::shared_ptr<Document> UnoDocuments::Item(int index) try {
  return MemberAt(app_->Open(), index);
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

std::shared_ptr<Document> UnoDocuments::Add() try {
  auto doc = app_->Adopt(Load(*app_, "private:factory/swriter", false));
  MakeBlank(*doc);
  app_->SetActive(doc);
  return doc;
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

std::shared_ptr<Document> UnoDocuments::Open(const std::wstring& path, bool readOnly) try {
  const rtl::OUString url = FileUrl(path);
  Reference<frame::XModel> model;
  try {
    model = Load(*app_, url, readOnly);
  } catch (const uno::Exception& e) {
    Raise(5792, L"无法打开“" + path + L"”：" + FromOUString(e.Message));
  }
  if (!model.is()) Raise(5792, L"无法打开“" + path + L"”：LibreOffice 不能读取这个文件。");
  if (!Reference<text::XTextDocument>(model, uno::UNO_QUERY).is()) {
    Reference<util::XCloseable>(model, uno::UNO_QUERY_THROW)->close(true);
    Raise(5792, L"无法打开“" + path + L"”：这不是文字处理文档。");
  }
  auto doc = app_->Adopt(model);
  app_->SetActive(doc);
  return doc;
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

void UnoDocuments::Close(const std::shared_ptr<Document>& document) try {
  auto doc = std::dynamic_pointer_cast<UnoDocument>(document);
  if (!doc) return;
  app_->Forget(document);
  Reference<util::XCloseable>(doc->Writer()->model, uno::UNO_QUERY_THROW)->close(true);
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

}  // namespace

void SetMacro(docif::Application& app, const std::wstring& name, std::function<void()> handler) {
  dynamic_cast<UnoApplication&>(app).SetMacro(name, std::move(handler));
}

std::vector<std::wstring> UndoTitles(docif::Application& app) try {
  auto& office = dynamic_cast<UnoApplication&>(app);
  Reference<document::XUndoManagerSupplier> supplier(office.Active()->Writer()->model, uno::UNO_QUERY_THROW);
  std::vector<std::wstring> titles;
  for (const auto& title : supplier->getUndoManager()->getAllUndoActionTitles()) titles.push_back(FromOUString(title));
  return titles;
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

void ReadDocumentsAgain(docif::Application& app) try {
  auto* office = dynamic_cast<UnoApplication*>(&app);
  if (!office) return;
  for (const auto& doc : office->Open()) {
    doc->Writer()->story.Sync();
    doc->Writer()->ReadSelection();
  }
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

std::shared_ptr<docif::Application> MakeUnoApplication(const Reference<uno::XComponentContext>& office,
                                                       const std::wstring& version) try {
  return std::make_shared<UnoApplication>(office, version);
} catch (const css::uno::Exception& e) {
  RaiseFromUno(e);
}

}  // namespace plx::docif::lo
