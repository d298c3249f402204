// The framework's String and List driven by bytes: construction, copies,
// equality, indexOf, at and toVector, on chains whose count may disagree
// with them. Each answer is checked against its definition.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "framework/List.h"
#include "framework/ListEditing.h"
#include "framework/String.h"

namespace {

void check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// A counted string of arbitrary bytes and a length no larger than them.
Quarn::String makeString(FuzzedDataProvider& input) {
    const std::string bytes = input.ConsumeRandomLengthString(64);
    if (input.ConsumeBool()) {
        return Quarn::String(nullptr);
    }
    Quarn::String s(nullptr);
    s.data = s.allocator->allocate(bytes.size() + 1);
    std::memcpy(s.data, bytes.data(), bytes.size());
    s.data[bytes.size()] = '\0';
    s.length =
        static_cast<std::int32_t>(input.ConsumeIntegralInRange<std::size_t>(0, bytes.size()));
    return s;
}

std::string textOf(const Quarn::String& s) {
    return s.data != nullptr ? std::string(s.data) : std::string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);

    // Strings: a copy keeps length + 1 bytes, equality follows the texts.
    Quarn::String a = makeString(input);
    Quarn::String b = makeString(input);
    const Quarn::String copy(a);
    check(copy.length == a.length);
    check(a.data == nullptr ? copy.data == nullptr : std::memcmp(copy.data, a.data, a.length) == 0);
    check((a == b) == (textOf(a) == textOf(b)));
    check((a != b) == (textOf(a) != textOf(b)));
    check(a.equals(b.data) == (textOf(a) == textOf(b)));
    check(a.toStdString() == textOf(a));

    // A list of strings, and a stream list whose count may be anything.
    Quarn::List<Quarn::String> names;
    const std::size_t nameCount = input.ConsumeIntegralInRange<std::size_t>(0, 8);
    for (std::size_t i = 0; i < nameCount; ++i) {
        Quarn::appendToList(names, makeString(input));
    }
    std::int32_t expected = -1;
    std::int32_t position = 0;
    for (auto* node = names.head; node != nullptr; node = node->next, ++position) {
        if (textOf(node->value) == textOf(b)) {
            expected = position;
            break;
        }
    }
    check(names.indexOf(b) == expected);
    Quarn::clearDestroyingValues(names);

    Quarn::List<std::uint64_t> streams;
    std::vector<std::uint64_t> chained;
    const std::size_t chainLength = input.ConsumeIntegralInRange<std::size_t>(0, 16);
    for (std::size_t i = 0; i < chainLength; ++i) {
        chained.push_back(input.ConsumeIntegral<std::uint64_t>());
        Quarn::appendToList(streams, chained.back());
    }
    streams.count = input.ConsumeIntegralInRange<std::uint32_t>(0, 32);
    const std::vector<std::uint64_t> copied = streams.toVector();
    check(copied.size() == streams.count);
    for (std::uint32_t i = 0; i < streams.count; ++i) {
        const std::uint64_t byDefinition = i < chained.size() ? chained[i] : 0;
        check(copied[i] == byDefinition);
        check(streams.at(i) == byDefinition);
    }
    return 0;
}
