#include "commands/directory_import.h"

#include "commands/command_texts.h"
#include "commands/pupil_folder.h"
#include "records/io_error.h"
#include "records/record_texts.h"
#include "records/utf8.h"

#include <future>
#include <numeric>

namespace kalidor {

namespace {

QString pupilLine(const DirectoryPupil& pupil, const QString& why) {
    return tr8(command_texts::kDirectoryPupilLine).arg(pupil.nom, pupil.prenom, pupil.classe, why);
}

QString toCheckWhy(const PupilToCheck& entry) {
    return entry.numbers.isEmpty()
               ? tr8(command_texts::kDirectoryTwoLines)
               : tr8(command_texts::kDirectoryCouldBe).arg(entry.numbers.join(QLatin1String(", ")));
}

} // namespace

DirectoryPreview::DirectoryPreview(const QString& prefix, const QString& fileName)
    : fileName_(fileName) {
    // The export is read on a thread of its own while the folder is listed: the preview waits
    // for the longer of the two only.
    std::future<SchoolDirectory> exported =
        std::async(std::launch::async, [fileName] { return readSchoolDirectory(fileName); });
    try {
        folder_ = readDirectoryFolder(prefix);
    } catch (const IoError&) {
        // What is wrong with the export is said first, as when it is read before the folder.
        exported.get();
        throw;
    }
    directory_ = exported.get();
    plan_ = planDirectoryImport(folder_, directory_);
}

void DirectoryPreview::setStoredName(const QString& label, const QString& stored) {
    storedNames_.insert(label, stored);
    plan_ = planDirectoryImport(folder_, directory_, storedNames_);
}

QString directoryClassLine(const ClassPreview& preview) {
    QString line = tr8(command_texts::kDirectoryClassLine)
                       .arg(preview.label, preview.stored)
                       .arg(preview.pupils)
                       .arg(preview.created)
                       .arg(preview.moved)
                       .arg(preview.unchanged)
                       .arg(preview.toCheck);
    if (preview.clash) {
        line += tr8(command_texts::kDirectoryClash);
    }
    return line;
}

QStringList DirectoryPreview::lines() const {
    QStringList lines{tr8(command_texts::kDirectoryClassesTitle)};
    for (const ClassPreview& preview : plan_.classes) {
        lines.append(QLatin1String("  ") + directoryClassLine(preview));
    }
    return lines + pupilLines() + closingLines();
}

QStringList DirectoryPreview::pupilLines() const {
    QStringList lines;
    if (!directory_.ignored.isEmpty()) {
        lines.append(tr8(command_texts::kDirectoryIgnoredTitle));
        for (const IgnoredPupil& ignored : directory_.ignored) {
            lines.append(QLatin1String("  ") +
                         pupilLine(ignored.pupil, ignoredReasonText(ignored.reason)));
        }
    }
    if (!plan_.toCheck.isEmpty()) {
        lines.append(tr8(command_texts::kDirectoryToCheckTitle));
        for (const PupilToCheck& entry : plan_.toCheck) {
            lines.append(QLatin1String("  ") + pupilLine(entry.pupil, toCheckWhy(entry)));
        }
    }
    return lines;
}

QStringList DirectoryPreview::closingLines() const {
    QStringList lines;
    if (plan_.absent > 0) {
        lines.append(absentText(plan_.absent));
    }
    if (plan_.cannotCreate > 0) {
        lines.append(cannotCreateText(plan_.cannotCreate));
    }
    return lines;
}

QStringList directorySummary(const DirectoryPreview& preview, const DirectoryImport& done) {
    const DirectoryPlan& plan = preview.plan();
    const int unchanged =
        std::accumulate(plan.classes.cbegin(), plan.classes.cend(), 0,
                        [](int sum, const ClassPreview& entry) { return sum + entry.unchanged; });
    QStringList lines{tr8(command_texts::kDirectorySummary)
                          .arg(done.created)
                          .arg(done.moved)
                          .arg(unchanged)
                          .arg(preview.directory().ignored.size())
                          .arg(plan.toCheck.size() + done.changedMeanwhile.size())};
    for (const DirectoryAction& action : done.changedMeanwhile) {
        const QString name = action.before->nom() + QLatin1Char(' ') + action.before->prenom();
        lines.append(tr8(command_texts::kDirectoryChangedMeanwhile).arg(name, action.number));
    }
    if (plan.absent > 0) {
        lines.append(absentText(plan.absent));
    }
    return lines;
}

BatchResult PupilFolder::importDirectory(const DirectoryPreview& preview,
                                         const BatchControl& control) {
    BatchResult result;
    bool stopped = false;
    int done = 0;
    const int total = static_cast<int>(preview.plan().actions.size());
    const auto step = [&] {
        ++done;
        if (control.progress) {
            control.progress(done, total);
        }
    };
    const PupilBatch batch(
        [&](const ListEntry& entry) {
            ++result.created;
            if (control.added) {
                control.added(entry);
            }
            step();
        },
        [&] {
            stopped = control.stopAsked && control.stopAsked();
            return stopped;
        });
    const DirectoryImport imported = kalidor::importDirectory(
        state_, preview.plan(), batch, [&](const QString& number, const TFiche& record) {
            if (control.changed) {
                control.changed(recordEntry(record, number, state_.sortByName));
            }
            step();
        });
    if (stopped) {
        result.cancelled = true;
        result.messages.append(tr8(result.created > 1 ? record_texts::kCancelledAfterMany
                                                      : record_texts::kCancelledAfterOne)
                                   .arg(result.created));
    }
    result.messages.append(directorySummary(preview, imported).join(QLatin1Char('\n')));
    return result;
}

} // namespace kalidor
