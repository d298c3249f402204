#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "framework/ListEditing.h"
#include "host/PluginInfo.h"

namespace testsupport {

// A listed interface identifier as the host may store it: plain text, no
// buffer at all, or bytes with NULs inside its length.
struct ListedId {
    enum Kind { Text, NoBuffer, Bytes } kind;
    std::string bytes;

    static ListedId text(const char* value) { return {Text, value}; }
    static ListedId noBuffer() { return {NoBuffer, {}}; }
    static ListedId withNul(const std::string& value) { return {Bytes, value}; }
};

// A plug-in record owning its interface names, as the host builds them.
class TestRecord {
public:
    TestRecord() = default;
    explicit TestRecord(const std::vector<ListedId>& ids) {
        for (const ListedId& id : ids) {
            add(id);
        }
    }
    explicit TestRecord(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            add(ListedId::text(name));
        }
    }
    TestRecord(const TestRecord&) = delete;
    TestRecord& operator=(const TestRecord&) = delete;
    ~TestRecord() { Quarn::clearDestroyingValues(info.interfaceNames); }

    Quarn::PluginInfo* get() { return &info; }

    Quarn::PluginInfo info;

private:
    void add(const ListedId& id) {
        switch (id.kind) {
            case ListedId::Text:
                Quarn::appendToList(info.interfaceNames, Quarn::String(id.bytes.c_str()));
                break;
            case ListedId::NoBuffer:
                Quarn::appendToList(info.interfaceNames, Quarn::String(nullptr));
                break;
            case ListedId::Bytes: {
                Quarn::String value(nullptr);
                value.data = value.allocator->allocate(id.bytes.size() + 1);
                std::memcpy(value.data, id.bytes.data(), id.bytes.size());
                value.data[id.bytes.size()] = '\0';
                value.length = static_cast<std::int32_t>(id.bytes.size());
                Quarn::appendToList(info.interfaceNames, value);
                break;
            }
        }
    }
};

}  // namespace testsupport
