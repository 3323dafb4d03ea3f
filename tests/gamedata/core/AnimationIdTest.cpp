// The animation table at the edges of its ranges: the first and last index of single ranges, of the later ranges
// of stepped rows and of each library's last row, and the indexes around them.
#include "gamedata/core/SDXFunctions.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(AnimationId, EdgesOfTheRangesAndOtherLibraries)
{
    const struct {
        int32_t Library, Index, Number;
    } rows[] = {
        {11, 2, 0},       {11, 3, 19},      {11, 10, 19},    {11, 11, 0},    {11, 12, 2},    {11, 66, 2},
        {11, 67, 0},      {11, 80, 0},      {11, 81, 5},     {11, 92, 5},    {11, 93, 0},    {11, 105, 5},
        {11, 106, 0},     {11, 238, 0},     {11, 239, 6},    {11, 252, 6},   {11, 253, 0},   {11, 527, 2},
        {11, 528, 0},     {11, 1813, 6},    {11, 1820, 0},   {11, 2699, 15}, {11, 2757, 15}, {11, 2918, 6},
        {11, 2919, 0},    {26, 1, 0},       {26, 2, 14},     {26, 169, 14},  {26, 170, 0},   {26, 1055, 33},
        {26, 1064, 33},   {26, 1065, 0},    {26, 1388, 34},  {26, 1389, 0},  {71, 37, 13},   {71, 38, 0},
        {71, 40, 13},     {71, 75, 13},     {71, 76, 0},     {71, 115, 18},  {71, 116, 0},   {11, -1, 0},
        {11, INT_MIN, 0}, {26, INT_MAX, 0}, {INT_MIN, 3, 0}, {-1, 3, 0},     {10, 3, 0},     {12, 3, 0},
        {25, 2, 0},       {27, 2, 0},       {70, 40, 0},     {72, 40, 0},    {75, 3, 0},     {INT_MAX, 3, 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(GetAnimationId(row.Library, row.Index), row.Number) << row.Library << "/" << row.Index;
}

}  // namespace
