// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Owning doubly linked lists. Nearly every collection of both programs (rooms, hit
// boxes, frame sets, timers, images, damage rectangles, sounds) is one of these.
// A list owns its nodes: Clear and the destructor free them, Remove hands ownership
// back to the caller. Nodes save themselves to a stream behind a one-byte class tag
// and are re-created from it through the list's RecreateNode.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/stream.h"

namespace qr {

class TUvoList;

class TUvoNode {
  public:
    static constexpr uint8_t kTag = 0;

    TUvoNode() = default;
    // Re-creation from a stream: stores the tag, then loads the node's own data.
    TUvoNode(uint8_t tag, TStream& stream);
    virtual ~TUvoNode() = default;
    TUvoNode(const TUvoNode&) = delete;
    TUvoNode& operator=(const TUvoNode&) = delete;

    virtual void LoadFromStream(TStream& stream) {}
    // Writes the tag byte, then the node's own data.
    virtual void SaveToStream(TStream& stream) const { stream.WriteU8(tag_); }
    // The node's 32-bit value, for FindByValue; nodes without one never match.
    virtual std::optional<int32_t> Value() const { return std::nullopt; }

    uint8_t Tag() const { return tag_; }
    TUvoNode* NextNode() const { return next_; }
    TUvoNode* PrevNode() const { return prev_; }

  protected:
    void SetTag(uint8_t tag) { tag_ = tag; }

  private:
    friend class TUvoList;
    TUvoNode* next_ = nullptr;
    TUvoNode* prev_ = nullptr;
    uint8_t tag_ = kTag;
};

// A node with a case-insensitive name, always stored in upper case.
class TIDNode : public TUvoNode {
  public:
    static constexpr uint8_t kTag = 1;

    explicit TIDNode(std::string_view id);
    TIDNode(uint8_t tag, TStream& stream);

    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) const override;

    const std::string& GetID() const { return id_; }
    void SetID(std::string_view id);

  private:
    std::string id_;
};

class TUvoList {
  public:
    TUvoList() = default;
    virtual ~TUvoList() { Clear(); }
    TUvoList(const TUvoList&) = delete;
    TUvoList& operator=(const TUvoList&) = delete;

    // Clears the list, reads a 16-bit count and re-creates that many nodes. When a node
    // fails, the nodes appended so far stay in the list and the error propagates.
    virtual void LoadFromStream(TStream& stream);
    virtual void SaveToStream(TStream& stream) const;

    uint16_t Count() const;
    bool IsEmpty() const { return first_ == nullptr; }

    // Links the node after the tail and returns it (null is ignored).
    template <class T> T* Append(std::unique_ptr<T> node) {
        T* raw = node.release();
        LinkLast(raw);
        return raw;
    }
    template <class T> T* InsertFirst(std::unique_ptr<T> node) {
        T* raw = node.release();
        LinkFirst(raw);
        return raw;
    }
    // Links the node directly before `before` (at the tail when before is null).
    template <class T> T* InsertBefore(TUvoNode* before, std::unique_ptr<T> node) {
        T* raw = node.release();
        LinkBefore(before, raw);
        return raw;
    }

    std::unique_ptr<TUvoNode> RemoveFirst();
    std::unique_ptr<TUvoNode> RemoveLast();
    // The node must be a member; a node of another list is not detected.
    std::unique_ptr<TUvoNode> Remove(TUvoNode* node);

    // Next(nullptr) is the head, Prev(nullptr) the tail.
    TUvoNode* Next(const TUvoNode* node) const { return node ? node->next_ : first_; }
    TUvoNode* Prev(const TUvoNode* node) const { return node ? node->prev_ : last_; }
    TUvoNode* First() const { return first_; }
    TUvoNode* Last() const { return last_; }

    // 1-based position, 0 when absent.
    int IndexOf(const TUvoNode* node) const;
    bool Contains(const TUvoNode* node) const { return IndexOf(node) != 0; }
    void Clear();
    TUvoNode* FindByValue(int32_t value) const;

    // Iteration over the nodes cast to T; the successor is fetched before the body runs,
    // so the body may remove (and free) the current node.
    template <class T> class Range {
      public:
        struct Iter {
            TUvoNode* node;
            TUvoNode* next;
            T* operator*() const { return static_cast<T*>(node); }
            Iter& operator++() {
                node = next;
                next = node ? node->NextNode() : nullptr;
                return *this;
            }
            bool operator!=(const Iter& o) const { return node != o.node; }
        };
        explicit Range(TUvoNode* first) : first_(first) {}
        Iter begin() const { return {first_, first_ ? first_->NextNode() : nullptr}; }
        Iter end() const { return {nullptr, nullptr}; }

      private:
        TUvoNode* first_;
    };
    template <class T = TUvoNode> Range<T> Nodes() const { return Range<T>(first_); }

  protected:
    // Creates a node from its class tag; lists of richer node classes extend this.
    virtual std::unique_ptr<TUvoNode> RecreateNode(uint8_t tag, TStream& stream);

  private:
    void LinkLast(TUvoNode* node);
    void LinkFirst(TUvoNode* node);
    void LinkBefore(TUvoNode* before, TUvoNode* node);

    TUvoNode* first_ = nullptr;
    TUvoNode* last_ = nullptr;
};

// Reads one tag byte and re-creates the node with the list's factory.
std::unique_ptr<TUvoNode> Recreate(TStream& stream);

class TIDList : public TUvoList {
  public:
    // Upper-cases the key; the first node with an equal ID wins. A node that is not a
    // TIDNode met on the way is a type error (std::bad_cast).
    TIDNode* FindByID(std::string_view id) const;
};

// Base of the game's room-part lists (hit boxes, frame sets).
class TGameIDList : public TIDList {};

// Distinct list types for the image code; they add no behaviour.
class TDataList : public TUvoList {};
class TPriList : public TUvoList {};
class TPriDataList : public TPriList {};

} // namespace qr
