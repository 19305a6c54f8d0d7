// The pictures of the static view, drawn at build time with the program's other pictures.
#pragma once

#include <QImage>
#include <utility>
#include <vector>

// File name and picture of the two foot outlines and the classification scale.
std::vector<std::pair<const char*, QImage>> staticViewPictures();
