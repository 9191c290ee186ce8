// The loader of time sheet files on arbitrary bytes: the first-string check, every row set-up
// and computation, and a store that reads back as itself.
#include "document/TimeSheetFile.h"
#include "fuzz/FuzzView.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    tallimo::judgeFileStart(bytes.first(std::min(size, tallimo::kFileStartSize)), size);
    tallimo::fuzz::FuzzView f;
    f.view.loadSheet(bytes);
    tallimo::fuzz::expectStableStore(f.view.storeSheet());
    return 0;
}
