// Content signatures: any bytes, given directly and as a file. Bytes missing
// at the end count as 0, so padding the input with zeros changes nothing.
#include <algorithm>
#include <cstdlib>

#include "formats/signatures.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string name = identifySignatureOfBytes(data, size);
    std::string padded(inputText(data, size));
    padded.resize(std::max<size_t>(padded.size(), 32), '\0');
    if (identifySignatureOfBytes(reinterpret_cast<const uint8_t*>(padded.data()), padded.size()) != name)
        std::abort();

    static const std::string path = scratchPath("input.bin");
    if (!writeScratch(path, inputText(data, size)) || identifyFileSignature(path) != name)
        std::abort();
    return 0;
}
