#include "platform/scripted_printer.h"

#include "platform/platform_texts.h"
#include "platform/ui_style.h"
#include "records/io_error.h"
#include "records/utf8.h"

#include <QFontMetrics>
#include <QImage>

namespace kalidor {

ScriptedPrinter::ScriptedPrinter() : font_(msSansSerif(8)) {}

ScriptedPrinter::~ScriptedPrinter() = default;

namespace {

PrintCall makeCall(PrintCall::Kind kind, int x1 = 0, int y1 = 0, int x2 = 0, int y2 = 0,
                   const QString& text = {}) {
    PrintCall call;
    call.kind = kind;
    call.x1 = x1;
    call.y1 = y1;
    call.x2 = x2;
    call.y2 = y2;
    call.text = text;
    return call;
}

// Recorded only, texts are measured as a 600 dpi printer measures them: fonts scaled from the
// screen's hinted sizes come out a few per cent narrower than printed.
const QPaintDevice& recordedResolution() {
    static const QImage surface = [] {
        constexpr int kDotsPerMetre = 23622; // 600 dpi
        QImage image(1, 1, QImage::Format_Mono);
        image.setDotsPerMeterX(kDotsPerMetre);
        image.setDotsPerMeterY(kDotsPerMetre);
        return image;
    }();
    return surface;
}

} // namespace

void ScriptedPrinter::record(PrintCall call) {
    call.page = page_;
    calls.append(call);
    if (observer) {
        observer(calls.last());
    }
}

QList<PrintCall> ScriptedPrinter::callsOf(PrintCall::Kind kind, int page) const {
    QList<PrintCall> found;
    for (const PrintCall& call : calls) {
        if (call.kind == kind && (page < 0 || call.page == page)) {
            found.append(call);
        }
    }
    return found;
}

QStringList ScriptedPrinter::texts(int page) const {
    QStringList found;
    for (const PrintCall& call : callsOf(PrintCall::Text, page)) {
        found.append(call.text);
    }
    return found;
}

int ScriptedPrinter::pages() const {
    int last = 0;
    for (const PrintCall& call : calls) {
        last = std::max(last, call.page);
    }
    return last;
}

bool ScriptedPrinter::executePrintDialog(QWidget*) {
    ++dialogs;
    const std::optional<QString> answer =
        dialogAnswers.isEmpty() ? std::nullopt : dialogAnswers.takeFirst();
    record(makeCall(PrintCall::Dialog, answer.has_value() ? 1 : 0, 0, 0, 0,
                    answer.value_or(QString())));
    if (!answer) {
        return false;
    }
    if (answer->isEmpty()) {
        pdf_.reset();
    } else {
        pdf_ = std::make_unique<QtPrinter>();
        pdf_->printToPdf(*answer);
        pdf_->setFont(font_);
        if (landscape_) {
            pdf_->setLandscape();
        }
    }
    return true;
}

void ScriptedPrinter::setPortrait() {
    record(makeCall(PrintCall::Portrait));
    landscape_ = false;
    if (pdf_) {
        pdf_->setPortrait();
    }
}

void ScriptedPrinter::setLandscape() {
    record(makeCall(PrintCall::Landscape));
    landscape_ = true;
    if (pdf_) {
        pdf_->setLandscape();
    }
}

void ScriptedPrinter::setTitle(const QString& title) {
    record(makeCall(PrintCall::Title, 0, 0, 0, 0, title));
    if (pdf_) {
        pdf_->setTitle(title);
    }
}

bool ScriptedPrinter::beginDoc() {
    if (beginFailures > 0) {
        --beginFailures;
        record(makeCall(PrintCall::Begin, 0));
        return false;
    }
    if (pdf_ && !pdf_->beginDoc()) {
        record(makeCall(PrintCall::Begin, 0));
        return false;
    }
    printing_ = true;
    page_ = 1;
    record(makeCall(PrintCall::Begin, 1));
    return true;
}

bool ScriptedPrinter::newPage() {
    if (!printing_ || (pdf_ && !pdf_->newPage())) {
        return false;
    }
    ++page_;
    record(makeCall(PrintCall::NewPage));
    return true;
}

void ScriptedPrinter::endDoc() {
    record(makeCall(PrintCall::End));
    printing_ = false;
    page_ = 0;
    if (!refusingPrinter.isEmpty()) {
        if (pdf_) {
            pdf_->abort();
        }
        throw IoError(tr8(platform_texts::kPrinterRefusesJobs).arg(refusingPrinter));
    }
    if (pdf_) {
        pdf_->endDoc();
    }
}

void ScriptedPrinter::abort() {
    record(makeCall(PrintCall::Abort));
    if (pdf_) {
        pdf_->abort();
    }
    printing_ = false;
    page_ = 0;
}

int ScriptedPrinter::pageWidth() const {
    if (pdf_) {
        return pdf_->pageWidth();
    }
    return landscape_ ? recordedPageSize.height() : recordedPageSize.width();
}

int ScriptedPrinter::pageHeight() const {
    if (pdf_) {
        return pdf_->pageHeight();
    }
    return landscape_ ? recordedPageSize.width() : recordedPageSize.height();
}

void ScriptedPrinter::setFont(const QFont& font, const QColor& color) {
    font_ = font;
    PrintCall call = makeCall(PrintCall::Font, 0, 0, 0, 0, font.family());
    call.pointSize = font.pointSize();
    call.bold = font.bold();
    record(call);
    if (pdf_) {
        pdf_->setFont(font, color);
    }
}

void ScriptedPrinter::textOut(int x, int y, const QString& text) {
    record(makeCall(PrintCall::Text, x, y, 0, 0, text));
    if (pdf_) {
        pdf_->textOut(x, y, text);
    }
}

void ScriptedPrinter::rectangle(int x1, int y1, int x2, int y2) {
    record(makeCall(PrintCall::Rect, x1, y1, x2, y2));
    if (pdf_) {
        pdf_->rectangle(x1, y1, x2, y2);
    }
}

void ScriptedPrinter::moveTo(int x, int y) {
    record(makeCall(PrintCall::Move, x, y));
    if (pdf_) {
        pdf_->moveTo(x, y);
    }
}

void ScriptedPrinter::lineTo(int x, int y) {
    record(makeCall(PrintCall::Line, x, y));
    if (pdf_) {
        pdf_->lineTo(x, y);
    }
}

int ScriptedPrinter::textWidth(const QString& text) const {
    return textWidthIn(font_, text);
}

int ScriptedPrinter::textWidthIn(const QFont& font, const QString& text) const {
    if (pdf_) {
        return pdf_->textWidthIn(font, text);
    }
    return QFontMetrics(font, &recordedResolution()).horizontalAdvance(text);
}

int ScriptedPrinter::textHeight() const {
    if (pdf_) {
        return pdf_->textHeight();
    }
    return QFontMetrics(font_, &recordedResolution()).height();
}

} // namespace kalidor
