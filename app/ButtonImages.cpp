#include "app/ButtonImages.h"

#include "framework/Application.h"

void AddButtonImages(fw::TImageList& images) {
  images.SetStrips(fw::Application().Handle(), {{16, L"TOOLBAR16"}, {24, L"TOOLBAR24"}, {32, L"TOOLBAR32"}},
                   RGB(255, 0, 255));
}
