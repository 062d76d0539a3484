#pragma once
// The command images of the button bar, in image-index order: open, save,
// copy, add, delete, up, down, stay on top, magnifier, paste, undo, redo,
// pick from screen. Drawn for 16, 24 and 32 pixels by
// scripts/make_toolbar_images.py.
#include "framework/ImageList.h"

void AddButtonImages(fw::TImageList& images);
