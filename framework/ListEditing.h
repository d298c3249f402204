#pragma once

#include <new>

#include "framework/List.h"

namespace Quarn {

// How a module fills a list that another module made (a player listing
// streams, a host listing interface names): each node is a block of its own
// from the list's allocator, so the list's creator can give it back. The
// list's reserved word keeps the last node, for appending in constant time;
// a list whose reserved word is unset is walked to its end once.
template <typename T>
void appendToList(List<T>& list, const T& value) {
    Node<T>* node = list.allocator->allocate(1);
    try {
        new (&node->value) T(value);
    } catch (...) {
        list.allocator->deallocate(node);
        throw;
    }
    node->next = nullptr;

    auto* last = static_cast<Node<T>*>(list.reserved);
    if (last == nullptr && list.head != nullptr) {
        last = list.head;
        while (last->next != nullptr) {
            last = last->next;
        }
    }
    if (last == nullptr) {
        list.head = node;
    } else {
        last->next = node;
    }
    list.reserved = node;
    ++list.count;
}

// Unlinks the first node holding `value` and gives it back to the list's
// allocator; false when no node holds it. Keeps `count` and the reserved
// last node in step. The value itself is left to whoever put it there.
template <typename T>
bool removeFromList(List<T>& list, const T& value) {
    Node<T>* previous = nullptr;
    for (Node<T>* node = list.head; node != nullptr; previous = node, node = node->next) {
        if (!(node->value == value)) {
            continue;
        }
        (previous == nullptr ? list.head : previous->next) = node->next;
        if (list.reserved == node) {
            list.reserved = previous;
        }
        if (list.count > 0) {
            --list.count;
        }
        list.allocator->deallocate(node);
        return true;
    }
    return false;
}

// Destroys the values a filler constructed in the list's nodes (strings,
// say), then gives the nodes back: what the list's own clear() leaves to
// whoever filled it.
template <typename T>
void clearDestroyingValues(List<T>& list) {
    for (Node<T>* node = list.head; node != nullptr; node = node->next) {
        node->value.~T();
    }
    list.clear();
}

}  // namespace Quarn
