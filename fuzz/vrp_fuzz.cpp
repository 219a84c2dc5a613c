// SPDX-License-Identifier: GPL-3.0-or-later
// The recommendation list reader on any bytes: it loads or fails with a code
// and a line, never crashes; every loaded record is complete and sorting and
// applying it work.
#include "FuzzSupport.h"
#include "base/UType.h"
#include "engine/vistal_class.h"
#include "locations/ULocationTarget.h"
#include "locations/URecommendation.h"

using namespace vistal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fuzz::TMemoryFile file;
    const std::string& name = file.Hold(data, size);
    TRecommendationList list;
    try {
        list.LoadFromFile(name);
    } catch (const EAbort&) {
        fuzz::Expect(list.Count() == 0, "a failed load keeps the old (empty) list");
        fuzz::Expect(list.ErrorCode != reFileNotFound, "the file exists");
        fuzz::Expect(list.ErrorLine >= 1, "a failed load names its line");
        fuzz::Expect(!list.ErrorReport(name).empty(), "a failed load has a report");
        return 0;
    }
    for (const auto& record : list.Items()) {
        fuzz::Expect(record->Position != nullptr, "a record has a position");
        fuzz::Expect(!record->Title.empty(), "a record has a title");
        fuzz::Expect(record->Position->ImSpan > 0, "a record's span is positive");
        fuzz::Expect(record->Iteration == -1 || record->Iteration >= 1, "an iteration limit is positive");
        fuzz::Expect(record->Detail == -1 || record->Detail >= 1, "a detail is positive");
        fuzz::Expect(record->Pow >= 2, "an exponent is at least 2");
    }
    list.SortByTitle();
    // Applying the first records as the explorer does (no drawing).
    for (int i = 0; i < list.Count() && i < 4; ++i) {
        TVistal engine;
        TGlobal global;
        TEngineTarget target(engine, global);
        ApplyRecommendation(list.Item(i), target);
    }
    return 0;
}
