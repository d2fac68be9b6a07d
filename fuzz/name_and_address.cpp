// Taking an address line apart and putting it together again: what the program
// writes as "name <address>" must read back as the same address. (Text after a
// second '<' stays in the address, which the syntax check then refuses; such an
// address cannot survive the round trip and needs not.)
#include "FuzzSupport.h"
#include "addresses/NameAndAddress.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QString address = QString::fromUtf8(fuzzBytes(data, size));
    QString name;
    SplitNameAndAddress(address, name);
    if (!address.contains(u'<'))
        FUZZ_REQUIRE(ExtractAddress(FormatNameAndAddress(name, address)) == address);
    CleanDisplayName(name);
    ReverseCommaName(name);
    LooksLikeAddress(address);
    return 0;
}
