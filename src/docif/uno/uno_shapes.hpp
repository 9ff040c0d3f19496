#pragma once
// The floating shapes of a Writer document: the shapes on its draw page
// that are not anchored as characters (formulas and inline pictures belong
// to the text), in their stacking order, back to front.
#include <memory>
#include <optional>
#include <vector>

#include <com/sun/star/drawing/XShapes.hpp>

#include "docif/shapes.hpp"
#include "docif/uno/uno_shape_geometry.hpp"
#include "docif/uno/writer_doc.hpp"

namespace plx::docif::lo {

std::shared_ptr<Shapes> MakeUnoShapes(const std::shared_ptr<WriterDoc>& doc);
ShapePtr MakeUnoShape(const std::shared_ptr<WriterDoc>& doc, const ShapeHandle& handle);
std::shared_ptr<ShapeRange> MakeUnoShapeRange(const std::shared_ptr<WriterDoc>& doc, std::vector<ShapeHandle> items);

// The document's draw page, which holds every drawing object.
Reference<css::drawing::XShapes> DrawPage(const WriterDoc& doc);
// The top-level floating shapes, back to front.
std::vector<ShapeRef> FloatingShapes(WriterDoc& doc);
// Every floating shape with the top-level shape it belongs to, groups' items after their group.
std::vector<ShapeHandle> AllFloatingShapes(WriterDoc& doc);
// The items of a group, back to front.
std::vector<ShapeRef> GroupItemsOf(const ShapeRef& group);

// Shapes gathered for Writer to group or select.
Reference<css::drawing::XShapes> ShapeCollection(const std::vector<ShapeRef>& shapes);

// The host's default names need a running number per document, which
// Writer does not keep: the next number for a new shape.
int TakeShapeNumber(WriterDoc& doc);
// Names the shapes the document came with that have no name of their own
// (or one another shape has), once per document, as the host does when it
// opens a file.
void NameDocumentShapes(WriterDoc& doc);
// The host's default name of a shape without its number ("Rectangle").
std::wstring DefaultNameOf(const ShapeRef& shape);
// Error 5 when another shape of the document has the name.
void CheckNameFree(WriterDoc& doc, const ShapeRef& shape, const std::wstring& name);
// Gives a shape its name (and keeps the document's index of names).
void NameShape(WriterDoc& doc, const ShapeRef& shape, const std::wstring& name);
// A figure is drawn about its origin and then moved, so its items stand off
// the page for a while: Writer keeps a shape on its page unless the document
// says otherwise, as every .docx it opens does and its own documents do not.
// The first shape the add-in adds to such a document lets them leave it.
void LetShapesLeaveThePage(WriterDoc& doc);
// The adapter put a new shape on the draw page, or changed which shapes are there.
void ShapeAdded(WriterDoc& doc);
void ShapesChanged(WriterDoc& doc);
// The shape of the document with the name (its front one), if any.
std::optional<ShapeHandle> ShapeNamed(WriterDoc& doc, const std::wstring& name);
std::wstring NameOf(const ShapeRef& shape);
// LibreOffice writes a group's items to a .docx without their names but
// keeps the group's title: the items' names are recorded there (after
// "plendrix-items:", each followed by '|'), from which the adapter and the
// model's reader name them again.
void KeepItemNames(const ShapeRef& top);

// Selects the shapes (added to those selected when not `replace`); Writer's
// view shows them once the command ends.
void SelectShapes(WriterDoc& doc, const std::vector<ShapeRef>& shapes, bool replace);
// The selected shapes still in the document (empty when text is selected).
std::vector<ShapeHandle> SelectedShapes(WriterDoc& doc);

}  // namespace plx::docif::lo
