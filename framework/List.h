#pragma once

#include <cstdint>
#include <vector>

#include "framework/Node.h"
#include "framework/StandardAllocator.h"

namespace Quarn {

// The framework's singly linked list. Whoever fills it takes each node as a
// block of its own from `allocator` and keeps `count` equal to the number of
// nodes; whoever made it clears it. The list itself never adds nodes.
//
// `count` and the chain are kept by another module, so every read here is
// bounded by both: nothing walks past the end of the chain, and nothing
// copies more than `count` elements.
template <typename T>
class List {
public:
    List()
        : head(nullptr),
          reserved(nullptr),
          count(0),
          allocator(StandardAllocator<Node<T>>::instance()) {}
    List(const List&) = delete;
    List& operator=(const List&) = delete;
    ~List() { clear(); }

    // Gives every node back in chain order, reading `next` before the node
    // goes. Node values are not otherwise touched: whoever constructed them
    // in place destroys them.
    void clear() {
        Node<T>* node = head;
        while (node != nullptr) {
            Node<T>* following = node->next;
            allocator->deallocate(node);
            node = following;
        }
        reserved = nullptr;
        head = nullptr;
        count = 0;
    }

    // The element at `index`, counted from 0; a zero value when the chain
    // ends first.
    T at(std::uint32_t index) const {
        const Node<T>* node = head;
        for (std::uint32_t position = 0; node != nullptr && position < index; ++position) {
            node = node->next;
        }
        return node != nullptr ? node->value : T();
    }

    // Exactly `count` elements in list order: zero values where the chain is
    // shorter than `count`, and nothing of the nodes beyond it. One walk of
    // the chain, so the time is linear in the list's length.
    std::vector<T> toVector() const {
        std::vector<T> elements;
        const Node<T>* node = head;
        for (std::uint32_t position = 0; position < count; ++position) {
            if (node != nullptr) {
                elements.push_back(node->value);
                node = node->next;
            } else {
                elements.push_back(T());
            }
        }
        return elements;
    }

    // The position of the first element equal to `value`, or -1.
    std::int32_t indexOf(T value) const {
        std::int32_t position = 0;
        const Node<T>* node = head;
        while (node != nullptr && node->value != value) {
            node = node->next;
            ++position;
        }
        if (node == nullptr) {
            return -1;
        }
        return node->value == value ? position : -1;
    }

    Node<T>* head;
    // Kept by whoever fills the list (for example its last node); the
    // framework only zeroes it.
    void* reserved;
    std::uint32_t count;
    StandardAllocator<Node<T>>* allocator;
};

}  // namespace Quarn
