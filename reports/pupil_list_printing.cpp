#include "reports/pupil_list_printing.h"

#include "records/report_lines.h"
#include "records/report_texts.h"
#include "records/utf8.h"

namespace kalidor {

namespace {

// Positions in layout units.
constexpr int kHeaderX = 40;
constexpr int kHeaderY = 2;
constexpr int kDateX = 3;
constexpr int kRuleX = 1;
constexpr int kRuleY = 4;
constexpr int kTitleX = 15;
constexpr int kTitleY = 3;
constexpr int kPageNumberX = 3;
constexpr int kBodyX = 15;
constexpr int kBodyFirstY = 6;

void drawPageHeader(CanvasDocument& document, const QString& title, const QString& date, int page,
                    int pages) {
    Printer& printer = document.printer();
    const int ux = document.unitX();
    const int uy = document.unitY();
    printer.textOut(kHeaderX * ux, kHeaderY * uy, tr8(report_texts::kListHeader));
    printer.textOut(kDateX * ux, kHeaderY * uy, date);
    printer.moveTo(kRuleX * ux, kRuleY * uy);
    printer.lineTo(document.pageWidth(), kRuleY * uy);
    printer.textOut(kTitleX * ux, kTitleY * uy, title);
    printer.textOut(kPageNumberX * ux, kTitleY * uy,
                    tr8(report_texts::kListPageNumber).arg(page).arg(pages));
}

} // namespace

bool printPupilList(CanvasDocument& document, QWidget* parent, const QStringList& lines,
                    const QString& title, const QDate& today) {
    const int pages = pageCount(static_cast<int>(lines.size()), kListLinesPerPage);
    if (pages == 0) {
        return false;
    }
    if (!document.start(parent, tr8(report_texts::kTitleList), tr8(report_texts::kPanelB2i))) {
        return false;
    }
    const QString date = printedDate(today);
    qsizetype next = 0;
    for (int page = 1; page <= pages; ++page) {
        if (!document.beginPage()) {
            return true;
        }
        drawPageHeader(document, title, date, page, pages);
        for (int k = 0; k < kListLinesPerPage && next < lines.size(); ++k) {
            document.printer().textOut(kBodyX * document.unitX(),
                                       (k + kBodyFirstY) * document.unitY(), lines.at(next++));
            document.platform().processEvents();
        }
    }
    document.finish();
    return true;
}

} // namespace kalidor
