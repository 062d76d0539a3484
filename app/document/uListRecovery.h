#pragma once
// Keeps the unsaved colour list on disk, so that a crash, a killed process
// or a power cut loses none of it: every change is handed to a thread of its
// own, which writes the list whole beside the old file and moves it over, a
// few hundred milliseconds after the last change at the latest. Each running
// program has its own file, and holds a lock file open while it runs; a file
// whose lock nobody holds was left by a program that is gone.
#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/colorlist/uColorListRecovery.h"
#include "core/colorlist/uColorListRows.h"
#include "framework/support/uSafeFile.h"

class TListRecovery {
 public:
  // folder: where the files go, made when missing; empty keeps nothing.
  explicit TListRecovery(std::wstring folder);
  ~TListRecovery();
  TListRecovery(const TListRecovery&) = delete;
  TListRecovery& operator=(const TListRecovery&) = delete;

  const std::wstring& Folder() const noexcept { return FFolder; }
  // This program's file.
  const std::wstring& FileName() const noexcept { return FOwnFile; }

  // The list as it is now; written soon, on the writer's thread.
  void Keep(const TColorListSnapshot& items, const std::wstring& listFile, int current);
  // The list is saved or given up: its file goes.
  void Forget();
  // Returns once everything handed over is on disk.
  void Flush();

  // Files of programs no longer running, the newest first.
  std::vector<std::wstring> Orphans() const;
  // Nothing when the file cannot be read or is damaged.
  static std::optional<TRecoveredList> Read(const std::wstring& file);
  // The name a file that cannot be read is kept under.
  static std::wstring BadName(const std::wstring& file) { return file + L".bad"; }
  // This program's file from now on (a restored list): moved, not copied,
  // so that the list is on disk under one name or the other at every moment.
  bool Adopt(const std::wstring& orphan);

 private:
  struct TJob {
    bool Write = false;
    TColorListSnapshot Items;
    std::wstring ListFile;
    int Current = 0;
  };
  void Run();

  std::wstring FFolder, FOwnFile, FLockFile;
  fw::TUniqueFile FLock;
  std::mutex FMutex;
  std::condition_variable FWake, FIdle;
  std::optional<TJob> FPending;
  bool FBusy = false, FStop = false;
  std::thread FWriter;
};

// Where the files go: a "Recovery" folder beside the settings file in
// portable use, else under the user's local application data.
std::wstring DefaultRecoveryFolder();
