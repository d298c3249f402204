#pragma once

namespace Quarn {

// One link of a List: the element, then the following node (null on the last).
template <typename T>
struct Node {
    T value;
    Node* next;
};

}  // namespace Quarn
