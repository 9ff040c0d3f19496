#pragma once
// The settings dialog's question-bank workbook: "TK_plendrix/tkconfig.xls"
// is where teachers edit the bank's chapter and knowledge-point trees and
// its value lists; rebuilding replaces those tables with the workbook's
// rows. Stored questions are never changed: they keep their chapter id and
// their knowledge-point names, also when the workbook no longer has them.
#include <string>

namespace plx {
class AddinContext;
}

namespace plx::bank {

// Install folder + "TK_plendrix/tkconfig.xls".
std::wstring BankWorkbookPath(AddinContext& ctx);

// Reads and checks the workbook, asks for confirmation (naming the stored
// questions whose chapter or knowledge points the workbook lacks) and
// replaces the tables in one transaction. A missing, unreadable or faulty
// workbook is reported and changes nothing; a failure while writing rolls
// every table back and raises the error for the caller's trap.
void RebuildPointTables(AddinContext& ctx);

// Opens the workbook in the spreadsheet program and waits until it is
// closed, then offers to rebuild from it. Where no spreadsheet program can
// be started the user is told where the workbook is.
void EditBankWorkbook(AddinContext& ctx);

}  // namespace plx::bank
