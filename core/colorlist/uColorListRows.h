#pragma once
// The colour list's items in chunks of at most a few hundred, each chunk
// shared until it is written (copy on write). An insert, delete or move
// touches one or two chunks whatever the list's length; a long run of items
// is cut out and put back as whole chunks, so undoing an import moves
// pointers, not items; and a snapshot for another thread copies only the
// chunk pointers.
#include <cstddef>
#include <memory>
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
  TColorListRows() = default;
  explicit TColorListRows(std::vector<TColorListItem> items);

  int Count() const noexcept { return FCount; }
  bool Empty() const noexcept { return FCount == 0; }
  // index within 0..Count()-1.
  const TColorListItem& operator[](int index) const;
  template <typename TVisit>
  void ForEach(TVisit&& visit) const {
    for (const auto& chunk : FChunks)
      for (const TColorListItem& item : *chunk) visit(item);
  }

  void Set(int index, TColorListItem item);
  // The items of run go before index (0..Count()); run is left empty.
  void Paste(int index, TColorListRows& run);
  // The count items from index, taken out.
  TColorListRows Cut(int index, int count);
  // The item at from ends up at to; the ones between shift by one.
  void Move(int from, int to);
  std::vector<TColorListItem> Items(int index, int count) const;

  TColorListSnapshot Snapshot() const;

 private:
  using TChunk = std::vector<TColorListItem>;
  // Chunk of the item at index, and the item's place in it.
  std::size_t ChunkOf(int index, int& offset) const;
  TChunk& Writable(std::size_t chunk);
  // The chunk that starts at index, splitting one when index falls inside it;
  // the chunk count when index is the end.
  std::size_t SplitAt(int index);
  // Splits a grown chunk and drops or joins a shrunk one; then the starts.
  void Rebalance(std::size_t chunk);
  void UpdateStarts(std::size_t from);

  std::vector<std::shared_ptr<TChunk>> FChunks;
  std::vector<int> FStarts;  // index of each chunk's first item
  int FCount = 0;
};
