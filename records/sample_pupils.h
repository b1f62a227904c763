#pragma once
// Sample pupils that fill a data folder for trying lists, levels, reports and printing.

#include "records/list_lines.h"
#include "records/pupil_batch.h"
#include "records/shared_state.h"

#include <QString>
#include <functional>

namespace kalidor {

enum class SampleSet {
    Blank110, // n1 ... n110, nothing validated
    Niveau1,  // niv1_1 ... niv1_17, every école competence validated
    Niveau2,  // niv2_1 ... niv2_17, every competence of both levels validated
};

int sampleCount(SampleSet set);

// Sample pupil i (from 1) of a set: name, first name "p" + i, class "a", the set's
// competences validated, everything else empty.
TFiche samplePupil(SampleSet set, int i);

// Writes the set's pupils in order, each under the first free number, and hands each new
// pupil's by-name line to `onCreated`. Throws IoError, also when no number up to 999 is left,
// saying how many pupils were created: those stay.
void createSamplePupils(const SharedState& state, SampleSet set, const PupilBatch& batch);

} // namespace kalidor
