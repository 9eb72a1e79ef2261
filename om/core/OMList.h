// The doubly linked list of object pointers, its node and its cursor, with walks that survive mutation.
#pragma once

#include <cstdint>

// The word handed to callbacks beside an element or a link call (often a pointer).
using OMArg = std::uintptr_t;

template <class T> class OMList;

// One node: the element (not owned) and its neighbours.
template <class T>
struct OMListElement {
    T* element = nullptr;
    OMListElement* previous = nullptr;
    OMListElement* next = nullptr;
};

// The callbacks of forEach (modes 0-3 select slots 1-4) and of findFirst/findLast (modes 0, 1, 2 select
// slots 1, 2, 4). Results are used as predicates by the finds and ignored by forEach.
template <class T>
struct OMListCallbackBlock {
    std::int32_t (T::*member)() = nullptr;
    std::int32_t (T::*memberWithArgument)(OMArg) = nullptr;
    std::int32_t (*function)(T*) = nullptr;
    std::int32_t (*functionWithArgument)(T*, OMArg) = nullptr;
};

// A cursor over one list: `node` is the current node, null once past either end.
template <class T>
class OMListLocator {
public:
    explicit OMListLocator(OMList<T>& walked) : node(walked.head), list(&walked) {}

    T* current() const { return node ? node->element : nullptr; }
    void toHead() { node = list->head; }
    void toTail() { node = list->tail; }
    void advance(std::int32_t n) {
        for (; n > 0 && node; --n) node = node->next;
    }
    void find(const T* x) {
        for (node = list->head; node && node->element != x; node = node->next) {}
    }
    OMListLocator operator++(int) {
        OMListLocator before = *this;
        if (node) node = node->next;
        return before;
    }
    OMListLocator operator--(int) {
        OMListLocator before = *this;
        if (node) node = node->previous;
        return before;
    }

    T* removeCurrent() {
        if (!node) return nullptr;
        OMListElement<T>* gone = node;
        node = gone->next;
        return list->unlink(gone);
    }
    void insertBefore(T* x) {
        if (!x || !node) return;
        if (!node->previous) {
            list->linkAtHead(x);
            node = list->head;
            return;
        }
        node = node->previous;
        linkAfterCurrent(x);
    }
    void insertAfter(T* x) {
        if (!x || !node) return;
        if (!node->next) {
            list->linkAtTail(x);
            node = list->tail;
            return;
        }
        linkAfterCurrent(x);
    }
    // Links x between the current node and its successor (which exists) and moves onto it; walks about to
    // visit the successor visit x first.
    void linkAfterCurrent(T* x) {
        OMListElement<T>* successor = node->next;
        OMListElement<T>* added = new OMListElement<T>{x, node, successor};
        node->next = added;
        successor->previous = added;
        list->redirectWalks(successor, added);
        ++list->count;
        node = added;
    }

    OMListElement<T>* node;
    OMList<T>* list;
};

// A list of T pointers, unsorted or kept in order by `compare`. The list owns its nodes, never its
// elements (only clear(true) deletes them). forEach keeps the node it visits next in a walk slot that
// every mutation adjusts, so callbacks may add and remove elements freely.
template <class T>
class OMList {
public:
    using Compare = std::int32_t (*)(T* e, T* x);
    // Room for nested walks of one list; a further nested forEach is refused.
    static constexpr std::int32_t kWalkSlots = 3;

    explicit OMList(Compare order = nullptr) : compare(order) {}
    OMList(const OMList&) = delete;
    ~OMList() { clear(false); }

    OMList& operator=(const OMList& other) {
        if (&other == this) return *this;
        clear(false);
        compare = nullptr;
        for (OMListElement<T>* n = other.head; n; n = n->next) append(n->element);
        compare = other.compare;
        return *this;
    }

    void append(T* x) {
        if (!x) return;
        if (!head) return linkFirst(x);
        if (!compare) return linkAtTail(x);
        OMListLocator<T> at(*this);
        for (at.toTail(); at.node && !compare(at.node->element, x); at.node = at.node->previous) {}
        if (at.node) return at.insertAfter(x);
        linkAtHead(x);
    }

    void prepend(T* x) {
        if (!x) return;
        if (!head) return linkFirst(x);
        if (!compare) return linkAtHead(x);
        OMListLocator<T> at(*this);
        while (at.node && compare(at.node->element, x)) at.node = at.node->next;
        if (at.node) return at.insertBefore(x);
        linkAtTail(x);
    }

    T* remove(T* x) {
        OMListElement<T>* n = head;
        while (n && n->element != x) n = n->next;
        return n ? unlink(n) : nullptr;
    }

    std::int32_t contains(const T* x) const {
        for (OMListElement<T>* n = head; n; n = n->next) {
            if (n->element == x) return 1;
        }
        return 0;
    }

    // The fields are reset before anything is freed, so element destructors find the list empty.
    void clear(bool deleteElements) {
        if (!head) return;
        OMListElement<T>* n = head;
        head = tail = nullptr;
        count = 0;
        for (std::int32_t i = 0; i <= innermostWalk; ++i) {
            walkNext[i] = nullptr;
            walkEnded[i] = true;
        }
        while (n) {
            OMListElement<T>* next = n->next;
            if (deleteElements) delete n->element;
            delete n;
            n = next;
        }
    }

    // Calls the selected callback on every element from head to tail. Returns false, visiting nothing,
    // when three walks of this list are already running.
    bool forEach(std::int32_t mode, OMListCallbackBlock<T> block, OMArg argument) {
        if (count == 0) return true;
        if (innermostWalk + 1 >= kWalkSlots) return false;
        const std::int32_t slot = ++innermostWalk;
        walkEnded[slot] = false;
        for (OMListElement<T>* n = head; n; n = walkNext[slot]) {
            walkNext[slot] = n->next;
            call(mode, block, n->element, argument);
            if (walkEnded[slot]) break;
        }
        walkEnded[slot] = false;
        --innermostWalk;
        return true;
    }

    T* findFirst(std::int32_t mode, OMListCallbackBlock<T> block, OMArg argument) const {
        for (OMListElement<T>* n = head; n; n = n->next) {
            if (test(mode, block, n->element, argument)) return n->element;
        }
        return nullptr;
    }

    T* findLast(std::int32_t mode, OMListCallbackBlock<T> block, OMArg argument) const {
        for (OMListElement<T>* n = tail; n; n = n->previous) {
            if (test(mode, block, n->element, argument)) return n->element;
        }
        return nullptr;
    }

    void linkFirst(T* x) {
        head = tail = new OMListElement<T>{x, nullptr, nullptr};
        ++count;
    }
    void linkAtHead(T* x) {
        OMListElement<T>* added = new OMListElement<T>{x, nullptr, head};
        head->previous = added;
        head = added;
        ++count;
    }
    // A walk standing on the last element (its next is null) goes on with the new tail.
    void linkAtTail(T* x) {
        OMListElement<T>* added = new OMListElement<T>{x, tail, nullptr};
        tail->next = added;
        tail = added;
        ++count;
        for (std::int32_t i = 0; i <= innermostWalk; ++i) {
            if (!walkNext[i] && !walkEnded[i]) walkNext[i] = added;
        }
    }

    Compare compare;
    OMListElement<T>* head = nullptr;
    OMListElement<T>* tail = nullptr;
    OMListElement<T>* walkNext[kWalkSlots] = {};
    std::int32_t innermostWalk = -1;
    std::int32_t count = 0;

private:
    friend class OMListLocator<T>;

    // Takes node n out, moves walks that would visit it to its successor, frees it, returns its element.
    T* unlink(OMListElement<T>* n) {
        (n->previous ? n->previous->next : head) = n->next;
        (n->next ? n->next->previous : tail) = n->previous;
        --count;
        redirectWalks(n, n->next);
        T* x = n->element;
        delete n;
        return x;
    }

    void redirectWalks(const OMListElement<T>* from, OMListElement<T>* to) {
        for (std::int32_t i = 0; i <= innermostWalk; ++i) {
            if (walkNext[i] == from) walkNext[i] = to;
        }
    }

    static void call(std::int32_t mode, const OMListCallbackBlock<T>& block, T* e, OMArg argument) {
        switch (mode) {
        case 0: if (block.member) (e->*block.member)(); break;
        case 1: if (block.memberWithArgument) (e->*block.memberWithArgument)(argument); break;
        case 2: if (block.function) block.function(e); break;
        case 3: if (block.functionWithArgument) block.functionWithArgument(e, argument); break;
        default: break;
        }
    }

    static std::int32_t test(std::int32_t mode, const OMListCallbackBlock<T>& block, T* e, OMArg argument) {
        switch (mode) {
        case 0: return block.member ? (e->*block.member)() : 0;
        case 1: return block.memberWithArgument ? (e->*block.memberWithArgument)(argument) : 0;
        case 2: return block.functionWithArgument ? block.functionWithArgument(e, argument) : 0;
        default: return 0;
        }
    }

    // Set for a running walk whose list was cleared under it: the walk ends after its current callback.
    bool walkEnded[kWalkSlots] = {};
};
