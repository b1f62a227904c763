// The competence table on a folder of 999 pupils: filling it for every class and exporting it,
// beside the all-pupils view; switching class or level in the shown window; printing it into a
// PDF file beside the same table drawn straight on a QPrinter in the same run; validating one
// competence for the pupils of a class beside the same records saved alone.

#include "app/class_table_window.h"
#include "bench/bench_support.h"
#include "commands/class_table_batch.h"
#include "platform/qt_platform.h"
#include "platform/ui_style.h"
#include "records/atomic_file.h"
#include "records/list_views.h"
#include "reports/class_table_printing.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QPrinter>

using namespace kalidor;

namespace {

constexpr int kPupils = 999;

bench::PupilFolder& folder() {
    static bench::PupilFolder pupils(kPupils);
    return pupils;
}

SharedState& folderState() {
    static SharedState state = [] {
        SharedState made;
        made.prefix = folder().prefix();
        return made;
    }();
    return state;
}

QtPlatform& platform() {
    static QtPlatform made;
    return made;
}

void AllPupilsView(benchmark::State& loop) {
    bench::runListView(loop, folder().prefix(), ListView::AllByName);
}
BENCHMARK(AllPupilsView)->Unit(benchmark::kMillisecond);

// Reading the folder, the class chooser, the rows of every class and the column widths.
void TableAllClasses(benchmark::State& loop) {
    ClassTableWindow table(folderState(), platform(), {});
    for (auto _ : loop) {
        table.showFolder(std::nullopt);
        benchmark::DoNotOptimize(table.model().rowCount());
    }
}
BENCHMARK(TableAllClasses)->Unit(benchmark::kMillisecond);

// The file the export button writes, from the table shown: its bytes, written whole.
void ExportAllClasses(benchmark::State& loop) {
    const TablePupils read = readTablePupils(folder().prefix());
    const ClassTable table = buildClassTable(read.pupils, kLevelEcole, std::nullopt);
    const QString file = folder().prefix() + QStringLiteral("export.csv");
    for (auto _ : loop) {
        const QByteArray bytes = tableCsv(table, read.pupils);
        replaceFile(file, bytes.constData(), static_cast<size_t>(bytes.size()));
    }
}
BENCHMARK(ExportAllClasses)->Unit(benchmark::kMillisecond);

// The shown window: another class, then another level, each drawn.
void SwitchClassOrLevel(benchmark::State& loop) {
    ClassTableWindow table(folderState(), platform(), {});
    table.showFolder(std::nullopt);
    table.show();
    QApplication::processEvents();
    int step = 0;
    for (auto _ : loop) {
        if (step++ % 2 == 0) {
            table.ComboClasse->setCurrentIndex((table.ComboClasse->currentIndex() + 1) %
                                               table.ComboClasse->count());
        } else {
            table.ComboNiveau->setCurrentIndex(1 - table.ComboNiveau->currentIndex());
        }
        table.Grid1->viewport()->repaint();
    }
}
BENCHMARK(SwitchClassOrLevel)->Unit(benchmark::kMillisecond);

// A class as the table reads it: 28 pupils of 6A, each with one competence selected.
constexpr int kClassPupils = 28;
constexpr int kValidatedSlot = 7;

// A date for each pass, never the one the pass before wrote: every pass writes every pupil.
QString nextDate() {
    static int pass = 0;
    pass = (pass + 1) % 28;
    return QStringLiteral("%1/06/2026").arg(pass + 1, 2, 10, QLatin1Char('0'));
}

QList<BatchPupil> classPupils() {
    QList<BatchPupil> batch;
    for (const TablePupil& pupil : readTablePupils(folder().prefix()).pupils) {
        if (pupil.classe == QLatin1String("6A") && batch.size() < kClassPupils) {
            batch.append({pupil, {kValidatedSlot}});
        }
    }
    return batch;
}

// Each pupil's file read again and compared with what the table read, its record changed and
// saved, the folder flushed once; the table keeps the pupils as written, as the window does.
void ValidateForAClass(benchmark::State& loop) {
    QList<BatchPupil> pupils = classPupils();
    for (auto _ : loop) {
        const ValidationDetails details{QStringLiteral("MARTIN"), nextDate(),
                                        QStringLiteral("Technologie"), true};
        QList<BatchPupil> written;
        validateCompetences(folderState(), pupils, details, [&](const PupilNow& now) {
            written.append({TablePupil(now.number, *now.record), {kValidatedSlot}});
        });
        if (written.size() != kClassPupils) {
            loop.SkipWithError("a pupil was not written");
            break;
        }
        pupils = written;
    }
}
BENCHMARK(ValidateForAClass)->Unit(benchmark::kMillisecond);

// The same 28 records, changed the same way and saved one after the other, nothing else.
void SaveClassRecordsAlone(benchmark::State& loop) {
    QList<std::pair<QString, TFiche>> records;
    for (const BatchPupil& each : classPupils()) {
        const QString file = recordFileName(folderState(), each.pupil.number);
        TFiche record;
        readRecordFile(file, record);
        records.append({file, record});
    }
    for (auto _ : loop) {
        const QString date = nextDate();
        for (auto& [file, record] : records) {
            record.setDate(kValidatedSlot, date);
            writeRecordFile(file, record, FolderFlush::Later);
        }
    }
}
BENCHMARK(SaveClassRecordsAlone)->Unit(benchmark::kMillisecond);

// The Qt printer with its dialog answered: every document goes to one PDF file.
class PdfFilePrinter : public QtPrinter {
public:
    explicit PdfFilePrinter(const QString& file) { printToPdf(file); }
    bool executePrintDialog(QWidget*) override { return true; }
};

QString pdfFile() {
    return folder().prefix() + QStringLiteral("table.pdf");
}

void PrintTableProgram(benchmark::State& loop) {
    const TablePupils read = readTablePupils(folder().prefix());
    const ClassTable table = buildClassTable(read.pupils, kLevelEcole, std::nullopt);
    TF_annule annule;
    for (auto _ : loop) {
        PdfFilePrinter printer(pdfFile());
        CanvasDocument document(printer, platform(), annule);
        printClassTable(document, nullptr, table, read.pupils, QDate::currentDate());
    }
}
BENCHMARK(PrintTableProgram)->Unit(benchmark::kMillisecond);

// The same pages drawn straight on a QPainter: title, headers, rows of marks, counts, rules.
void PrintTableDirectQPrinter(benchmark::State& loop) {
    const TablePupils read = readTablePupils(folder().prefix());
    const ClassTable table = buildClassTable(read.pupils, kLevelEcole, std::nullopt);
    const int competences = slotCount(kLevelEcole);
    const QString mark = QStringLiteral("✓");
    const QString title = printedTableTitle(kLevelEcole, std::nullopt, QDate::currentDate());
    for (auto _ : loop) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFile());
        printer.setPageOrientation(QPageLayout::Landscape);
        QPainter painter(&printer);
        const int ux = printer.width() / 85;
        const int uy = printer.height() / 85;
        const QFont cells = arial(8);
        painter.setFont(cells);
        const QFontMetrics metrics(cells, &printer);
        const int ascent = metrics.ascent();
        const int rowHeight = metrics.height() * 3 / 2;
        const int pad = ux / 3;

        QList<QStringList> rows{{QStringLiteral("Élève")}};
        for (int k = 1; k <= competences; ++k) {
            rows[0].append(QString::number(k));
        }
        rows[0] << QStringLiteral("Total") << QStringLiteral("Niveau")
                << QStringLiteral("Il manque");
        for (const TableRow& row : table.rows) {
            const TablePupil& pupil = read.pupils.at(row.pupil);
            QStringList texts{pupil.name()};
            for (int slot = 1; slot <= competences; ++slot) {
                texts.append(pupil.valide(slot) ? mark : QString());
            }
            texts << tableTotalText(kLevelEcole, row.validated) << tableLevelText(row.held)
                  << missingText(row.missing);
            rows.append(texts);
        }
        QStringList counts{QStringLiteral("Validée par")};
        for (const int count : table.validatedBy) {
            counts.append(QString::number(count));
        }
        counts << QString() << heldByText(table) << QString();
        rows.append(counts);

        QList<int> widths(competences + 4, 0);
        QHash<QString, int> measured;
        for (const QStringList& texts : rows) {
            for (int column = 0; column < texts.size(); ++column) {
                auto width = measured.constFind(texts[column]);
                if (width == measured.cend()) {
                    width =
                        measured.insert(texts[column], metrics.horizontalAdvance(texts[column]));
                }
                widths[column] = std::max(widths[column], *width);
            }
        }
        QList<int> lefts;
        int x = ux;
        for (int column = 0; column < widths.size(); ++column) {
            lefts.append(x);
            x += widths[column] + 2 * pad;
        }
        const int right = x;
        const int top = 5 * uy;
        const int perPage = (printer.height() - 4 * uy - top) / rowHeight - 1;
        const int pages = static_cast<int>((rows.size() - 1 + perPage - 1) / perPage);
        qsizetype next = 1;
        QHash<QString, int> centredWidths;
        const auto drawRow = [&](const QStringList& texts, int y) {
            for (int column = 0; column < texts.size(); ++column) {
                const QString& text = texts[column];
                if (text.isEmpty()) {
                    continue;
                }
                int at = lefts[column] + pad;
                if (column >= 1 && column <= competences) {
                    auto width = centredWidths.constFind(text);
                    if (width == centredWidths.cend()) {
                        width = centredWidths.insert(text, metrics.horizontalAdvance(text));
                    }
                    at += (widths[column] - *width) / 2;
                }
                painter.drawText(at, y + ascent, text);
            }
            painter.drawLine(ux, y + rowHeight, right, y + rowHeight);
        };
        for (int page = 1; page <= pages; ++page) {
            if (page > 1) {
                printer.newPage();
            }
            painter.setFont(arial(11, true));
            painter.drawText(ux, 2 * uy + painter.fontMetrics().ascent(), title);
            painter.setFont(cells);
            painter.drawText(printer.width() - 6 * ux, printer.height() - 3 * uy + ascent,
                             QStringLiteral("page %1/%2").arg(page).arg(pages));
            drawRow(rows.first(), top);
            int y = top + rowHeight;
            for (int k = 0; k < perPage && next < rows.size(); ++k) {
                drawRow(rows.at(next++), y);
                y += rowHeight;
            }
            painter.drawLine(ux, top, right, top);
            for (const int left : lefts) {
                painter.drawLine(left, top, left, y);
            }
            painter.drawLine(right, top, right, y);
        }
        painter.end();
    }
}
BENCHMARK(PrintTableDirectQPrinter)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    return bench::runWithRatios(argc, argv,
                                {{"TableAllClasses", "AllPupilsView"},
                                 {"ExportAllClasses", "AllPupilsView"},
                                 {"PrintTableProgram", "PrintTableDirectQPrinter"},
                                 {"SwitchClassOrLevel", "AllPupilsView"},
                                 {"ValidateForAClass", "SaveClassRecordsAlone"}});
}
