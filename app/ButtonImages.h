#pragma once
// The 16 x 16 command images of the menu and button bar, in image-index order:
// open, save, copy, add, delete, up, down, stay on top, magnifier, paste, undo, redo.
#include "framework/ImageList.h"

void AddButtonImages(fw::TImageList& images);
