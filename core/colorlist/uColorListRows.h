#pragma once
// The colour list's items in chunks of at most a few hundred, each chunk
// shared until it is written (copy on write). An insert, delete or move
// touches one or two chunks whatever the list's length, and a snapshot for
// another thread copies only the chunk pointers.
#include <cstddef>
#include <memory>
#include <span>
#include <vector>

#include "core/colorlist/uColorListItem.h"

// An unchanging copy of the items at one moment; safe to read on another
// thread while the list goes on changing.
class TColorListSnapshot {
 public:
  int Count() const noexcept { return FCount; }
  template <typename TVisit>
  void ForEach(TVisit&& visit) const {
    for (const auto& chunk : FChunks)
      for (const TColorListItem& item : *chunk) visit(item);
  }

 private:
  friend class TColorListRows;
  std::vector<std::shared_ptr<const std::vector<TColorListItem>>> FChunks;
  int FCount = 0;
};

class TColorListRows {
 public:
  int Count() const noexcept { return FCount; }
  bool Empty() const noexcept { return FCount == 0; }
  // index within 0..Count()-1.
  const TColorListItem& operator[](int index) const;

  void Set(int index, TColorListItem item);
  // index within 0..Count().
  void Insert(int index, std::vector<TColorListItem> items);
  // The removed items, in order.
  std::vector<TColorListItem> Erase(int index, int count);
  // The item at from ends up at to; the ones between shift by one.
  void Move(int from, int to);
  void Assign(std::vector<TColorListItem> items);
  std::vector<TColorListItem> Items(int index, int count) const;

  TColorListSnapshot Snapshot() const;

 private:
  using TChunk = std::vector<TColorListItem>;
  // Chunk of the item at index, and the item's place in it.
  std::size_t ChunkOf(int index, int& offset) const;
  TChunk& Writable(std::size_t chunk);
  // Splits a grown chunk and drops or joins a shrunk one; then the starts.
  void Rebalance(std::size_t chunk);
  void UpdateStarts(std::size_t from);

  std::vector<std::shared_ptr<TChunk>> FChunks;
  std::vector<int> FStarts;  // index of each chunk's first item
  int FCount = 0;
};
