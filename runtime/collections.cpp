#include "runtime/collections.h"

// ---- List ----------------------------------------------------------------------

c_Node3::c_Node3(c_Node3* succ_, c_Node3* pred_, int value_) : value(value_) {
  succ = succ_;
  pred = pred_;
  succ_->pred = this;
  pred_->succ = this;
}

void c_Node3::Mark() {
  succ.Mark();
  pred.Mark();
}

c_HeadNode::c_HeadNode() {
  succ = this;
  pred = this;
}

c_List::c_List() { head = new c_HeadNode(); }

void c_List::Mark() { head.Mark(); }

c_Node3* c_List::AddLast(int value) { return new c_Node3(head, head->pred, value); }

int c_List::Count() {
  int n = 0;
  for (c_Node3* node = head->succ; node != head; node = node->succ) ++n;
  return n;
}

Array<int> c_List::ToArray() {
  Array<int> values(Count());
  int i = 0;
  for (c_Enumerator* e = ObjectEnumerator(); e->HasNext();) values[i++] = e->NextObject();
  return values;
}

c_Enumerator* c_List::ObjectEnumerator() { return new c_Enumerator(this); }

c_Enumerator::c_Enumerator(c_List* list_) {
  list = list_;
  current = list_->head->succ;
}

void c_Enumerator::Mark() {
  list.Mark();
  current.Mark();
}

bool c_Enumerator::HasNext() {
  // Skip nodes that were unlinked after the enumerator reached them.
  while (current->succ->pred != current) current = current->succ;
  return current != list->head;
}

int c_Enumerator::NextObject() {
  const int value = current->value;
  current = current->succ;
  return value;
}

// ---- Map ------------------------------------------------------------------------

namespace {
constexpr int kRed = -1;
constexpr int kBlack = 1;
}  // namespace

c_Node2::c_Node2(const String& key_, Object* value_, int colour_, c_Node2* parent_)
    : key(key_), colour(colour_) {
  value = value_;
  parent = parent_;
}

void c_Node2::Mark() {
  right.Mark();
  left.Mark();
  value.Mark();
  parent.Mark();
}

c_Node2* c_Node2::NextNode() {
  if (right) {
    c_Node2* node = right;
    while (node->left) node = node->left;
    return node;
  }
  c_Node2* node = this;
  c_Node2* up = parent;
  while (up && node == up->right) {
    node = up;
    up = up->parent;
  }
  return up;
}

void c_Map2::Mark() { root.Mark(); }

c_Node2* c_Map2::FindNode(const String& key) {
  c_Node2* node = root;
  while (node) {
    const int c = CompareKeys(key, node->key);
    if (c > 0) {
      node = node->right;
    } else if (c < 0) {
      node = node->left;
    } else {
      return node;
    }
  }
  return nullptr;
}

Object* c_Map2::Get(const String& key) {
  c_Node2* node = FindNode(key);
  return node ? node->value.get() : nullptr;
}

bool c_Map2::Contains(const String& key) { return FindNode(key) != nullptr; }

bool c_Map2::Set(const String& key, Object* value) {
  c_Node2* node = root;
  c_Node2* parent = nullptr;
  int c = 0;
  while (node) {
    parent = node;
    c = CompareKeys(key, node->key);
    if (c > 0) {
      node = node->right;
    } else if (c < 0) {
      node = node->left;
    } else {
      node->value = value;
      return false;
    }
  }
  node = new c_Node2(key, value, kRed, parent);
  if (!parent) {
    root = node;
  } else if (c > 0) {
    parent->right = node;
  } else {
    parent->left = node;
  }
  InsertFixup(node);
  return true;
}

void c_Map2::RotateLeft(c_Node2* node) {
  c_Node2* child = node->right;
  node->right = child->left;
  if (child->left) child->left->parent = node;
  child->parent = node->parent;
  if (!node->parent) {
    root = child;
  } else if (node == node->parent->left) {
    node->parent->left = child;
  } else {
    node->parent->right = child;
  }
  child->left = node;
  node->parent = child;
}

void c_Map2::RotateRight(c_Node2* node) {
  c_Node2* child = node->left;
  node->left = child->right;
  if (child->right) child->right->parent = node;
  child->parent = node->parent;
  if (!node->parent) {
    root = child;
  } else if (node == node->parent->right) {
    node->parent->right = child;
  } else {
    node->parent->left = child;
  }
  child->right = node;
  node->parent = child;
}

void c_Map2::InsertFixup(c_Node2* node) {
  while (node->parent && node->parent->colour == kRed) {
    c_Node2* parent = node->parent;
    c_Node2* grand = parent->parent;
    const bool parentIsLeft = parent == grand->left;
    c_Node2* uncle = parentIsLeft ? grand->right : grand->left;
    if (uncle && uncle->colour == kRed) {
      parent->colour = kBlack;
      uncle->colour = kBlack;
      grand->colour = kRed;
      node = grand;
      continue;
    }
    if (parentIsLeft && node == parent->right) {
      node = parent;
      RotateLeft(node);
    } else if (!parentIsLeft && node == parent->left) {
      node = parent;
      RotateRight(node);
    }
    node->parent->colour = kBlack;
    node->parent->parent->colour = kRed;
    if (parentIsLeft) {
      RotateRight(node->parent->parent);
    } else {
      RotateLeft(node->parent->parent);
    }
  }
  root->colour = kBlack;
}

namespace {
int CountNodes(c_Node2* node) {
  return node ? CountNodes(node->left) + CountNodes(node->right) + 1 : 0;
}
}  // namespace

int c_Map2::Count() { return CountNodes(root); }

c_Node2* c_Map2::FirstNode() {
  c_Node2* node = root;
  if (!node) return nullptr;
  while (node->left) node = node->left;
  return node;
}

c_MapValues* c_Map2::Values() { return new c_MapValues(this); }

int c_StringMap2::CompareKeys(const String& a, const String& b) { return a.Compare(b); }

c_MapValues::c_MapValues(c_Map2* map_) { map = map_; }

void c_MapValues::Mark() { map.Mark(); }

c_ValueEnumerator* c_MapValues::ObjectEnumerator() { return new c_ValueEnumerator(map->FirstNode()); }

c_ValueEnumerator::c_ValueEnumerator(c_Node2* first) { node = first; }

void c_ValueEnumerator::Mark() { node.Mark(); }

bool c_ValueEnumerator::HasNext() { return node != nullptr; }

Object* c_ValueEnumerator::NextObject() {
  c_Node2* current = node;
  node = current->NextNode();
  return current->value;
}
