// The two collections the program uses: a circular doubly linked list of ints
// and a red-black ordered map with String keys (insertion and lookup only).
#pragma once

#include "runtime/array.h"
#include "runtime/gc.h"

class c_Node3 : public Object {
 public:
  c_Node3() = default;
  c_Node3(c_Node3* succ, c_Node3* pred, int value);
  void Mark() override;

  gc_ref<c_Node3> succ;
  gc_ref<c_Node3> pred;
  int value = 0;
};

// The sentinel: an empty list's head points to itself both ways.
class c_HeadNode : public c_Node3 {
 public:
  c_HeadNode();
};

class c_List;

class c_Enumerator : public Object {
 public:
  explicit c_Enumerator(c_List* list);
  bool HasNext();
  int NextObject();
  void Mark() override;

  gc_ref<c_List> list;
  gc_ref<c_Node3> current;
};

class c_List : public Object {
 public:
  c_List();
  c_Node3* AddLast(int value);
  int Count();
  Array<int> ToArray();
  c_Enumerator* ObjectEnumerator();
  void Mark() override;

  gc_ref<c_Node3> head;
};

class c_Node2 : public Object {
 public:
  c_Node2(const String& key, Object* value, int colour, c_Node2* parent);
  c_Node2* NextNode();
  void Mark() override;

  String key;
  gc_ref<c_Node2> right;
  gc_ref<c_Node2> left;
  gc_ref<Object> value;
  int colour;  // -1 red, 1 black
  gc_ref<c_Node2> parent;
};

class c_MapValues;

class c_Map2 : public Object {
 public:
  virtual int CompareKeys(const String& a, const String& b) = 0;

  bool Set(const String& key, Object* value);
  Object* Get(const String& key);
  bool Contains(const String& key);
  int Count();
  c_MapValues* Values();
  c_Node2* FirstNode();
  void Mark() override;

  gc_ref<c_Node2> root;

 private:
  c_Node2* FindNode(const String& key);
  void InsertFixup(c_Node2* node);
  void RotateLeft(c_Node2* node);
  void RotateRight(c_Node2* node);
};

class c_StringMap2 : public c_Map2 {
 public:
  int CompareKeys(const String& a, const String& b) override;
};

class c_ValueEnumerator : public Object {
 public:
  explicit c_ValueEnumerator(c_Node2* first);
  bool HasNext();
  Object* NextObject();
  void Mark() override;

  gc_ref<c_Node2> node;
};

class c_MapValues : public Object {
 public:
  explicit c_MapValues(c_Map2* map);
  c_ValueEnumerator* ObjectEnumerator();
  void Mark() override;

  gc_ref<c_Map2> map;
};
