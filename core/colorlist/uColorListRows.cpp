#include "core/colorlist/uColorListRows.h"

#include <algorithm>
#include <atomic>
#include <iterator>

namespace {

// A chunk is split above kMaxChunk into pieces of kPiece, and joined to a
// neighbour below kMinChunk when the two fit in one. Small enough that a
// chunk copied for its first write after a snapshot costs little.
constexpr std::size_t kMaxChunk = 256;
constexpr std::size_t kPiece = kMaxChunk / 2;
constexpr std::size_t kMinChunk = kMaxChunk / 4;

using TChunk = std::vector<TColorListItem>;

// The items from..to of a chunk: moved when nobody else holds it, else copied.
TChunk Take(std::shared_ptr<TChunk>& chunk, std::size_t from, std::size_t to) {
  const auto a = chunk->begin() + static_cast<std::ptrdiff_t>(from), b = chunk->begin() + static_cast<std::ptrdiff_t>(to);
  if (chunk.use_count() > 1) return TChunk(a, b);
  std::atomic_thread_fence(std::memory_order_acquire);
  return TChunk(std::make_move_iterator(a), std::make_move_iterator(b));
}

}  // namespace

TColorListRows::TColorListRows(std::vector<TColorListItem> items) {
  FCount = static_cast<int>(items.size());
  for (std::size_t at = 0; at < items.size(); at += kPiece) {
    const auto from = items.begin() + static_cast<std::ptrdiff_t>(at);
    const auto to = items.begin() + static_cast<std::ptrdiff_t>(std::min(at + kPiece, items.size()));
    FChunks.push_back(std::make_shared<TChunk>(std::make_move_iterator(from), std::make_move_iterator(to)));
  }
  UpdateStarts(0);
}

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

std::size_t TColorListRows::SplitAt(int index) {
  if (index >= FCount) return FChunks.size();
  int offset = 0;
  const std::size_t chunk = ChunkOf(index, offset);
  if (offset == 0) return chunk;
  const std::size_t at = static_cast<std::size_t>(offset), size = FChunks[chunk]->size();
  auto right = std::make_shared<TChunk>(Take(FChunks[chunk], at, size));
  if (FChunks[chunk].use_count() > 1)
    FChunks[chunk] = std::make_shared<TChunk>(Take(FChunks[chunk], 0, at));
  else
    FChunks[chunk]->resize(at);
  FChunks.insert(FChunks.begin() + static_cast<std::ptrdiff_t>(chunk) + 1, std::move(right));
  UpdateStarts(chunk);
  return chunk + 1;
}

void TColorListRows::Rebalance(std::size_t chunk) {
  std::size_t first = chunk;
  if (chunk < FChunks.size()) {
    const std::size_t size = FChunks[chunk]->size();
    if (size > kMaxChunk) {
      std::vector<std::shared_ptr<TChunk>> pieces;
      for (std::size_t at = kPiece; at < size; at += kPiece)
        pieces.push_back(std::make_shared<TChunk>(Take(FChunks[chunk], at, std::min(at + kPiece, size))));
      Writable(chunk).resize(kPiece);
      FChunks.insert(FChunks.begin() + static_cast<std::ptrdiff_t>(chunk) + 1, pieces.begin(), pieces.end());
    } else if (size == 0) {
      FChunks.erase(FChunks.begin() + static_cast<std::ptrdiff_t>(chunk));
    } else if (size < kMinChunk) {
      // Join with the smaller neighbour when the two fit in one chunk.
      const std::size_t left = chunk > 0 ? FChunks[chunk - 1]->size() : kMaxChunk + 1;
      const std::size_t right = chunk + 1 < FChunks.size() ? FChunks[chunk + 1]->size() : kMaxChunk + 1;
      if (std::min(left, right) + size <= kMaxChunk) {
        const std::size_t a = left <= right ? chunk - 1 : chunk, b = a + 1;
        TChunk moved = Take(FChunks[b], 0, FChunks[b]->size());
        TChunk& target = Writable(a);
        target.insert(target.end(), std::make_move_iterator(moved.begin()), std::make_move_iterator(moved.end()));
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

void TColorListRows::Paste(int index, TColorListRows& run) {
  if (run.Empty()) return;
  const int added = run.FCount;
  if (static_cast<std::size_t>(added) <= kPiece && !FChunks.empty()) {
    // A few items go into the chunk that holds the place.
    int offset = 0;
    const std::size_t chunk = index == FCount ? FChunks.size() - 1 : ChunkOf(index, offset);
    if (index == FCount) offset = static_cast<int>(FChunks[chunk]->size());
    TChunk items;
    for (auto& piece : run.FChunks) {
      TChunk taken = Take(piece, 0, piece->size());
      items.insert(items.end(), std::make_move_iterator(taken.begin()), std::make_move_iterator(taken.end()));
    }
    TChunk& target = Writable(chunk);
    target.insert(target.begin() + offset, std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()));
    FCount += added;
    Rebalance(chunk);
  } else {
    // A long run keeps its chunks; only the two edges may be joined.
    const std::size_t at = SplitAt(index);
    FChunks.insert(FChunks.begin() + static_cast<std::ptrdiff_t>(at), run.FChunks.begin(), run.FChunks.end());
    const std::size_t after = at + run.FChunks.size();
    FCount += added;
    UpdateStarts(at);
    if (after < FChunks.size()) Rebalance(after);
    if (at > 0) Rebalance(at - 1);
  }
  run.FChunks.clear();
  run.FStarts.clear();
  run.FCount = 0;
}

TColorListRows TColorListRows::Cut(int index, int count) {
  TColorListRows run;
  if (count <= 0) return run;
  // Both ends on chunk edges; the chunks between are the run.
  SplitAt(index + count);
  const std::size_t first = SplitAt(index);
  std::size_t stop = first;
  for (int taken = 0; taken < count; taken += static_cast<int>(FChunks[stop++]->size())) {
  }
  run.FChunks.assign(FChunks.begin() + static_cast<std::ptrdiff_t>(first),
                     FChunks.begin() + static_cast<std::ptrdiff_t>(stop));
  FChunks.erase(FChunks.begin() + static_cast<std::ptrdiff_t>(first), FChunks.begin() + static_cast<std::ptrdiff_t>(stop));
  run.FCount = count;
  run.UpdateStarts(0);
  FCount -= count;
  UpdateStarts(std::min(first, FChunks.size()));
  // The pieces left at either edge join their neighbours when small.
  if (first < FChunks.size()) Rebalance(first);
  if (first > 0) Rebalance(first - 1);
  return run;
}

void TColorListRows::Move(int from, int to) {
  if (from == to) return;
  TColorListRows item = Cut(from, 1);
  Paste(to, item);
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
