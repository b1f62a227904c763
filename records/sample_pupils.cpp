#include "records/sample_pupils.h"

#include "records/list_lines.h"
#include "records/pupil_files.h"
#include "records/record_file.h"
#include "records/record_texts.h"
#include "records/referential.h"

namespace kalidor {

namespace {

const char* sampleName(SampleSet set) {
    switch (set) {
    case SampleSet::Blank110:
        return record_texts::kSampleBlankName;
    case SampleSet::Niveau1:
        return record_texts::kSampleNiveau1Name;
    case SampleSet::Niveau2:
        return record_texts::kSampleNiveau2Name;
    }
    return record_texts::kSampleBlankName;
}

// The last slot validated in a set's pupils, 0 for none.
int lastValidatedSlot(SampleSet set) {
    switch (set) {
    case SampleSet::Blank110:
        return 0;
    case SampleSet::Niveau1:
        return firstSlot(kLevelEcole) + slotCount(kLevelEcole) - 1;
    case SampleSet::Niveau2:
        return kSlotCount;
    }
    return 0;
}

} // namespace

int sampleCount(SampleSet set) {
    return set == SampleSet::Blank110 ? 110 : 17;
}

TFiche samplePupil(SampleSet set, int i) {
    TFiche record = blankRecord();
    const QString number = QString::number(i);
    record.setNom(QLatin1String(sampleName(set)) + number);
    record.setPrenom(QLatin1String(record_texts::kSampleFirstName) + number);
    record.setClasse(QLatin1String(record_texts::kSampleClass));
    for (int slot = 1; slot <= lastValidatedSlot(set); ++slot) {
        record.setValide(slot, true);
    }
    return record;
}

void createSamplePupils(const SharedState& state, SampleSet set, const PupilBatch& batch) {
    PupilAdder adder(state);
    for (int i = 1; i <= sampleCount(set) && !batch.stopped(); ++i) {
        const NewPupil pupil = adder.add(samplePupil(set, i));
        batch.add(recordEntry(pupil.record, pupil.number, true));
    }
    adder.finish();
}

} // namespace kalidor
