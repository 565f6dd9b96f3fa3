// The list of the children an object of the device tree owns.
//
// A decoded device holds millions of attributes, most of them leaves with one or two siblings, so the list costs
// one pointer in the parent and one in each child: the children form a ring through their own next link, and the
// parent points at the last one (whose link leads to the first). There is no array to allocate and nothing to grow.
// It reads like a std::vector of std::unique_ptr that is walked from the front: indexing and size() count along
// the ring. Only the tree's own classes add to it, through their Add_* operations, which also link the child to
// its parent.
#pragma once

#include <cstddef>
#include <iterator>
#include <memory>
#include <stdexcept>

namespace iec61850 {

class TIEC_DA;
class TIEC_DO;
class TIEC_LN;
class TIEC_LDevice;
class TIEC_Device;

/// A child as the list hands it out: used like the std::unique_ptr that owns it, and turning into a plain pointer.
template <class T> class TChild
{
public:
    explicit TChild(T* Object) : fObject(Object) {}
    T* get() const { return fObject; }
    T* operator->() const { return fObject; }
    T& operator*() const { return *fObject; }
    operator T*() const { return fObject; }

private:
    T* fObject;
};

/// The link every child carries to its next sibling.
template <class T> class TSibling
{
    template <class> friend class TOwned_List;
    T* fNext = nullptr;
};

template <class T> class TOwned_List
{
public:
    class const_iterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = TChild<T>;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = TChild<T>;

        const_iterator() = default;
        TChild<T> operator*() const { return TChild<T>(fAt); }
        const_iterator& operator++()
        {
            fAt = fAt == fLast ? nullptr : Next(fAt);
            return *this;
        }
        const_iterator operator++(int)
        {
            const const_iterator Before = *this;
            ++*this;
            return Before;
        }
        bool operator==(const const_iterator& Other) const { return fAt == Other.fAt; }

    private:
        friend class TOwned_List;
        const_iterator(T* At, T* Last) : fAt(At), fLast(Last) {}
        T* fAt = nullptr;
        T* fLast = nullptr;
    };
    using iterator = const_iterator;
    using value_type = TChild<T>;

    TOwned_List() = default;
    ~TOwned_List() { clear(); }
    TOwned_List(const TOwned_List&) = delete;
    TOwned_List& operator=(const TOwned_List&) = delete;

    const_iterator begin() const { return fLast ? const_iterator(Next(fLast), fLast) : end(); }
    const_iterator end() const { return const_iterator(nullptr, fLast); }
    bool empty() const { return fLast == nullptr; }
    /// Counts the children.
    std::size_t size() const { return static_cast<std::size_t>(std::distance(begin(), end())); }
    TChild<T> front() const { return TChild<T>(Next(fLast)); }
    TChild<T> back() const { return TChild<T>(fLast); }
    /// The child at Index, counted from the front.
    TChild<T> operator[](std::size_t Index) const
    {
        auto At = begin();
        std::advance(At, static_cast<std::ptrdiff_t>(Index));
        return *At;
    }
    TChild<T> at(std::size_t Index) const
    {
        auto At = begin();
        for (std::size_t I = 0; I < Index && At != end(); ++I)
            ++At;
        if (At == end())
            throw std::out_of_range("TOwned_List::at");
        return *At;
    }

private:
    friend class TIEC_DA;
    friend class TIEC_DO;
    friend class TIEC_LN;
    friend class TIEC_LDevice;
    friend class TIEC_Device;

    static T* Next(const T* Item) { return static_cast<const TSibling<T>*>(Item)->fNext; }
    static void Set_Next(T* Item, T* Next) { static_cast<TSibling<T>*>(Item)->fNext = Next; }

    T* push_back(std::unique_ptr<T> Owned)
    {
        T* Item = Owned.release();
        if (fLast) {
            Set_Next(Item, Next(fLast));
            Set_Next(fLast, Item);
        } else {
            Set_Next(Item, Item);
        }
        fLast = Item;
        return Item;
    }

    /// Frees the children from the last to the first: the ring is turned around first, so that freeing walks it
    /// without recursion however many siblings there are.
    void clear()
    {
        if (!fLast)
            return;
        T* First = Next(fLast);
        T* Previous = fLast;
        T* At = First;
        do {
            T* Following = Next(At);
            Set_Next(At, Previous);
            Previous = At;
            At = Following;
        } while (At != First);
        // Each link now leads to the former predecessor; walking from the last reaches the first at the end.
        At = fLast;
        fLast = nullptr;
        while (At) {
            T* Before = At == First ? nullptr : Next(At);
            delete At;
            At = Before;
        }
    }

    T* fLast = nullptr;
};

} // namespace iec61850
