// SPDX-License-Identifier: GPL-3.0-or-later
#include "foundation/uvo_list.h"

#include <typeinfo>

#include "foundation/utils.h"

namespace qr {

TUvoNode::TUvoNode(uint8_t tag, TStream& stream) : tag_(tag) {}

TIDNode::TIDNode(std::string_view id) : id_(AsciiUpper(id)) {
    SetTag(kTag);
}

TIDNode::TIDNode(uint8_t tag, TStream& stream) : TUvoNode(tag, stream) {
    SetTag(tag);
    LoadFromStream(stream);
}

void TIDNode::SetID(std::string_view id) {
    id_ = AsciiUpper(id);
}

void TIDNode::LoadFromStream(TStream& stream) {
    id_ = stream.ReadShortString();
}

void TIDNode::SaveToStream(TStream& stream) const {
    TUvoNode::SaveToStream(stream);
    stream.WriteShortString(id_);
}

void TUvoList::LinkLast(TUvoNode* node) {
    if (!node) return;
    node->prev_ = last_;
    node->next_ = nullptr;
    if (last_)
        last_->next_ = node;
    else
        first_ = node;
    last_ = node;
}

void TUvoList::LinkFirst(TUvoNode* node) {
    if (!node) return;
    node->next_ = first_;
    node->prev_ = nullptr;
    if (first_)
        first_->prev_ = node;
    else
        last_ = node;
    first_ = node;
}

void TUvoList::LinkBefore(TUvoNode* before, TUvoNode* node) {
    if (!node) return;
    if (!before) return LinkLast(node);
    if (before == first_) return LinkFirst(node);
    node->prev_ = before->prev_;
    node->next_ = before;
    before->prev_->next_ = node;
    before->prev_ = node;
}

std::unique_ptr<TUvoNode> TUvoList::RemoveFirst() {
    TUvoNode* n = first_;
    if (!n) return nullptr;
    first_ = n->next_;
    if (first_)
        first_->prev_ = nullptr;
    else
        last_ = nullptr;
    n->next_ = n->prev_ = nullptr;
    return std::unique_ptr<TUvoNode>(n);
}

std::unique_ptr<TUvoNode> TUvoList::RemoveLast() {
    TUvoNode* n = last_;
    if (!n) return nullptr;
    last_ = n->prev_;
    if (last_)
        last_->next_ = nullptr;
    else
        first_ = nullptr;
    n->next_ = n->prev_ = nullptr;
    return std::unique_ptr<TUvoNode>(n);
}

std::unique_ptr<TUvoNode> TUvoList::Remove(TUvoNode* node) {
    if (!node) return nullptr;
    if (node == first_) return RemoveFirst();
    if (node == last_) return RemoveLast();
    if (node->prev_) node->prev_->next_ = node->next_;
    if (node->next_) node->next_->prev_ = node->prev_;
    node->next_ = node->prev_ = nullptr;
    return std::unique_ptr<TUvoNode>(node);
}

uint16_t TUvoList::Count() const {
    uint16_t n = 0;
    for (TUvoNode* p = first_; p; p = p->next_)
        ++n;
    return n;
}

int TUvoList::IndexOf(const TUvoNode* node) const {
    int i = 1;
    for (TUvoNode* p = first_; p; p = p->next_, ++i)
        if (p == node) return i;
    return 0;
}

void TUvoList::Clear() {
    while (first_)
        RemoveFirst();
}

TUvoNode* TUvoList::FindByValue(int32_t value) const {
    for (TUvoNode* p = first_; p; p = p->next_)
        if (auto v = p->Value(); v && *v == value) return p;
    return nullptr;
}

void TUvoList::LoadFromStream(TStream& stream) {
    Clear();
    uint16_t n = stream.ReadU16();
    for (uint16_t i = 0; i < n; ++i) {
        uint8_t tag = stream.ReadU8();
        LinkLast(RecreateNode(tag, stream).release());
    }
}

void TUvoList::SaveToStream(TStream& stream) const {
    stream.WriteU16(Count());
    for (TUvoNode* p = first_; p; p = p->next_)
        p->SaveToStream(stream);
}

std::unique_ptr<TUvoNode> TUvoList::RecreateNode(uint8_t tag, TStream& stream) {
    switch (tag) {
    case TUvoNode::kTag:
        return std::make_unique<TUvoNode>(tag, stream);
    case TIDNode::kTag:
        return std::make_unique<TIDNode>(tag, stream);
    default:
        throw UvoException("Recreate: Invalid NodeID");
    }
}

std::unique_ptr<TUvoNode> Recreate(TStream& stream) {
    struct Plain : TUvoList {
        using TUvoList::RecreateNode;
    } factory;
    uint8_t tag = stream.ReadU8();
    return factory.RecreateNode(tag, stream);
}

TIDNode* TIDList::FindByID(std::string_view id) const {
    const std::string key = AsciiUpper(id);
    for (TUvoNode* p = First(); p; p = p->NextNode()) {
        auto* node = dynamic_cast<TIDNode*>(p);
        if (!node) throw std::bad_cast();
        if (node->GetID() == key) return node;
    }
    return nullptr;
}

} // namespace qr
