#include "core/colorlist/uColorListRows.h"

#include <algorithm>
#include <atomic>
#include <iterator>

namespace {

// A chunk is split above kMaxChunk into pieces of kPiece, and joined to a
// neighbour below kMinChunk when the two fit in one.
constexpr std::size_t kMaxChunk = 512;
constexpr std::size_t kPiece = kMaxChunk / 2;
constexpr std::size_t kMinChunk = kMaxChunk / 4;

}  // namespace

std::size_t TColorListRows::ChunkOf(int index, int& offset) const {
  const auto it = std::upper_bound(FStarts.begin(), FStarts.end(), index);
  const std::size_t chunk = static_cast<std::size_t>(it - FStarts.begin()) - 1;
  offset = index - FStarts[chunk];
  return chunk;
}

const TColorListItem& TColorListRows::operator[](int index) const {
  int offset = 0;
  const std::size_t chunk = ChunkOf(index, offset);
  return (*FChunks[chunk])[static_cast<std::size_t>(offset)];
}

TColorListRows::TChunk& TColorListRows::Writable(std::size_t chunk) {
  if (FChunks[chunk].use_count() > 1) FChunks[chunk] = std::make_shared<TChunk>(*FChunks[chunk]);
  // A snapshot released on another thread: its reads of this chunk come
  // before the release that left the count at one, and must stay before our writes.
  std::atomic_thread_fence(std::memory_order_acquire);
  return *FChunks[chunk];
}

void TColorListRows::UpdateStarts(std::size_t from) {
  FStarts.resize(FChunks.size());
  int start = from == 0 ? 0 : FStarts[from - 1] + static_cast<int>(FChunks[from - 1]->size());
  for (std::size_t c = from; c < FChunks.size(); ++c) {
    FStarts[c] = start;
    start += static_cast<int>(FChunks[c]->size());
  }
}

void TColorListRows::Rebalance(std::size_t chunk) {
  std::size_t first = chunk;
  if (chunk < FChunks.size()) {
    const std::size_t size = FChunks[chunk]->size();
    if (size > kMaxChunk) {
      TChunk& whole = Writable(chunk);
      std::vector<std::shared_ptr<TChunk>> pieces;
      for (std::size_t at = kPiece; at < whole.size(); at += kPiece) {
        const auto from = whole.begin() + static_cast<std::ptrdiff_t>(at);
        const auto to = whole.begin() + static_cast<std::ptrdiff_t>(std::min(at + kPiece, whole.size()));
        pieces.push_back(std::make_shared<TChunk>(std::make_move_iterator(from), std::make_move_iterator(to)));
      }
      whole.resize(kPiece);
      FChunks.insert(FChunks.begin() + static_cast<std::ptrdiff_t>(chunk) + 1, pieces.begin(), pieces.end());
    } else if (size == 0) {
      FChunks.erase(FChunks.begin() + static_cast<std::ptrdiff_t>(chunk));
    } else if (size < kMinChunk) {
      // Join with the smaller neighbour when the two fit in one chunk.
      const bool hasLeft = chunk > 0, hasRight = chunk + 1 < FChunks.size();
      const std::size_t left = hasLeft ? FChunks[chunk - 1]->size() : kMaxChunk + 1;
      const std::size_t right = hasRight ? FChunks[chunk + 1]->size() : kMaxChunk + 1;
      const std::size_t into = left <= right ? chunk - 1 : chunk + 1;
      if (std::min(left, right) + size <= kMaxChunk) {
        const std::size_t a = std::min(into, chunk), b = a + 1;
        TChunk& target = Writable(a);
        const TChunk& source = *FChunks[b];
        if (FChunks[b].use_count() > 1)
          target.insert(target.end(), source.begin(), source.end());
        else
          target.insert(target.end(), std::make_move_iterator(FChunks[b]->begin()),
                        std::make_move_iterator(FChunks[b]->end()));
        FChunks.erase(FChunks.begin() + static_cast<std::ptrdiff_t>(b));
        first = a;
      }
    }
  }
  UpdateStarts(std::min(first, FChunks.size()));
}

void TColorListRows::Set(int index, TColorListItem item) {
  int offset = 0;
  const std::size_t chunk = ChunkOf(index, offset);
  Writable(chunk)[static_cast<std::size_t>(offset)] = std::move(item);
}

void TColorListRows::Insert(int index, std::vector<TColorListItem> items) {
  if (items.empty()) return;
  const int added = static_cast<int>(items.size());
  std::size_t chunk = 0;
  int offset = 0;
  if (FChunks.empty()) {
    FChunks.push_back(std::make_shared<TChunk>());
  } else if (index == FCount) {
    chunk = FChunks.size() - 1;
    offset = static_cast<int>(FChunks[chunk]->size());
  } else {
    chunk = ChunkOf(index, offset);
  }
  TChunk& target = Writable(chunk);
  if (offset == static_cast<int>(target.size()) && target.empty())
    target = std::move(items);
  else
    target.insert(target.begin() + offset, std::make_move_iterator(items.begin()),
                  std::make_move_iterator(items.end()));
  FCount += added;
  Rebalance(chunk);
}

std::vector<TColorListItem> TColorListRows::Erase(int index, int count) {
  std::vector<TColorListItem> removed;
  if (count <= 0) return removed;
  removed.reserve(static_cast<std::size_t>(count));
  int offset = 0;
  std::size_t chunk = ChunkOf(index, offset);
  const std::size_t first = chunk;
  int left = count;
  while (left > 0) {
    TChunk& items = Writable(chunk);
    const int take = std::min(left, static_cast<int>(items.size()) - offset);
    const auto from = items.begin() + offset, to = from + take;
    removed.insert(removed.end(), std::make_move_iterator(from), std::make_move_iterator(to));
    items.erase(from, to);
    left -= take;
    offset = 0;
    ++chunk;
  }
  FCount -= count;
  // Whole chunks emptied on the way go at once; the first one may join a neighbour.
  const auto emptied = std::remove_if(FChunks.begin() + static_cast<std::ptrdiff_t>(first) + 1,
                                      FChunks.begin() + static_cast<std::ptrdiff_t>(chunk),
                                      [](const std::shared_ptr<TChunk>& c) { return c->empty(); });
  FChunks.erase(emptied, FChunks.begin() + static_cast<std::ptrdiff_t>(chunk));
  if (first + 1 < FChunks.size() && FChunks[first + 1]->size() < kMinChunk) Rebalance(first + 1);
  Rebalance(first);
  return removed;
}

void TColorListRows::Move(int from, int to) {
  if (from == to) return;
  std::vector<TColorListItem> item = Erase(from, 1);
  Insert(to, std::move(item));
}

void TColorListRows::Assign(std::vector<TColorListItem> items) {
  FChunks.clear();
  FStarts.clear();
  FCount = 0;
  Insert(0, std::move(items));
}

std::vector<TColorListItem> TColorListRows::Items(int index, int count) const {
  std::vector<TColorListItem> items;
  if (count <= 0) return items;
  items.reserve(static_cast<std::size_t>(count));
  int offset = 0;
  for (std::size_t chunk = ChunkOf(index, offset); count > 0; ++chunk, offset = 0) {
    const TChunk& source = *FChunks[chunk];
    const int take = std::min(count, static_cast<int>(source.size()) - offset);
    items.insert(items.end(), source.begin() + offset, source.begin() + offset + take);
    count -= take;
  }
  return items;
}

TColorListSnapshot TColorListRows::Snapshot() const {
  TColorListSnapshot snapshot;
  snapshot.FChunks.assign(FChunks.begin(), FChunks.end());
  snapshot.FCount = FCount;
  return snapshot;
}
