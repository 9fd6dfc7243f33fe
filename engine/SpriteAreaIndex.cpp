#include "engine/SpriteAreaIndex.h"

#include "engine/Sprite.h"

#include <algorithm>

namespace {

// The cells of a full repaint on the game screen: such a cell is one bucket.
constexpr int kBucketWidth = 32;
constexpr int kBucketHeight = 24;
constexpr int kColumns = 25;
constexpr int kRows = 25;

// Bucket of a coordinate, sprites and rectangles off the screen filed at its
// edge: anything that overlaps shares at least one bucket.
int bucketOf(long long v, int size, int count)
{
    return static_cast<int>(std::clamp<long long>(v < 0 ? 0 : v / size, 0, count - 1));
}

} // namespace

// A box without width (or height) overlaps a rectangle only where its corner
// lies inside it, so it is filed by its corner.
SpriteAreaIndex::Span SpriteAreaIndex::spanOf(const DirtyRect& box)
{
    long long right = box.w > 0 ? static_cast<long long>(box.x) + box.w - 1 : box.x;
    long long bottom = box.h > 0 ? static_cast<long long>(box.y) + box.h - 1 : box.y;
    return {bucketOf(box.x, kBucketWidth, kColumns), bucketOf(right, kBucketWidth, kColumns),
            bucketOf(box.y, kBucketHeight, kRows), bucketOf(bottom, kBucketHeight, kRows)};
}

void SpriteAreaIndex::build(const std::vector<CSprite*>& sprites)
{
    sprites_ = &sprites;
    buckets_.resize(kColumns * kRows);
    for (std::vector<uint32_t>& bucket : buckets_)
        bucket.clear();
    boxes_.resize(sprites.size());
    visible_.resize(sprites.size());
    seen_.assign(sprites.size(), query_);
    for (uint32_t position = 0; position < sprites.size(); ++position) {
        const CSprite* sprite = sprites[position];
        DirtyRect box = sprite->getRect(true);
        boxes_[position] = box;
        visible_[position] = !sprite->isHidden();
        if (!visible_[position])
            continue;
        Span span = spanOf(box);
        for (int column = span.firstColumn; column <= span.lastColumn; ++column)
            for (int row = span.firstRow; row <= span.lastRow; ++row)
                buckets_[column * kRows + row].push_back(position);
    }
}

void SpriteAreaIndex::addMatch(uint32_t position, const DirtyRect& rect, std::vector<CSprite*>& out) const
{
    if (rectsOverlap(boxes_[position], rect))
        out.push_back((*sprites_)[position]);
}

void SpriteAreaIndex::collect(const DirtyRect& rect, std::vector<CSprite*>& out)
{
    if (!sprites_)
        return;
    if (rect.w <= 0 || rect.h <= 0) {
        // Spans no bucket; rare enough to test every sprite.
        for (uint32_t position = 0; position < boxes_.size(); ++position)
            if (visible_[position])
                addMatch(position, rect, out);
        return;
    }
    Span span = spanOf(rect);
    if (span.firstColumn == span.lastColumn && span.firstRow == span.lastRow) {
        for (uint32_t position : buckets_[span.firstColumn * kRows + span.firstRow])
            addMatch(position, rect, out);
        return;
    }
    // A sprite may sit in several of the buckets: take each once, then put
    // them back in list order.
    ++query_;
    candidates_.clear();
    for (int column = span.firstColumn; column <= span.lastColumn; ++column)
        for (int row = span.firstRow; row <= span.lastRow; ++row)
            for (uint32_t position : buckets_[column * kRows + row])
                if (seen_[position] != query_) {
                    seen_[position] = query_;
                    candidates_.push_back(position);
                }
    std::sort(candidates_.begin(), candidates_.end());
    for (uint32_t position : candidates_)
        addMatch(position, rect, out);
}
