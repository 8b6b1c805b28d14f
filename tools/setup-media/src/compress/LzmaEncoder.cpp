#include "compress/LzmaEncoder.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "compress/BinaryTreeFinder.h"
#include "compress/CommonLength.h"

namespace {

// The parser looks this far ahead before it settles a path.
constexpr uint32_t OptimumWindow = 4096;
constexpr uint32_t Infinite = std::numeric_limits<uint32_t>::max();
constexpr uint32_t LiteralItem = Infinite;

// One item on a path: LiteralItem, a repeat (0 to 3; 0 of length 1 is the short repeat), or a
// match's distance + 4.
struct Step {
    uint32_t item = LiteralItem;
    uint32_t length = 1;
};

void Apply(CoderState& at, const Step& step) {
    if (step.item == LiteralItem)
        at.AfterLiteral();
    else if (step.item < 4 && step.length == 1)
        at.AfterShortRep();
    else if (step.item < 4)
        at.AfterRep(step.item);
    else
        at.AfterMatch(step.item - 4);
}

// One position of the look-ahead: the cheapest way found to reach it (up to three items from
// node `from`), and the coder's state there.
struct Node {
    uint32_t price = Infinite;
    uint32_t from = 0;
    Step steps[3];
    unsigned count = 0;
    CoderState at;
};

class Encoder {
public:
    Encoder(std::span<const unsigned char> data, const LzmaSettings& settings, uint32_t dictionary, std::string& out)
        : data_(data),
          niceLength_(std::min(settings.niceLength, MaxMatch)),
          model_(settings.shape),
          coder_(out),
          finder_(data, dictionary, niceLength_, settings.depth, MaxMatch),
          nodes_(OptimumWindow + 2 * MaxMatch + 2) {}

    void Run() {
        while (pos_ < data_.size()) {
            model_.RefreshPrices();
            Decide();
        }
        coder_.Flush();
    }

private:
    unsigned ByteAt(uint64_t position) const { return position < data_.size() ? data_[position] : 0; }
    unsigned Previous(uint64_t position) const { return position > 0 ? data_[position - 1] : 0; }
    // The byte the last distance points at from `position`, which a literal after a match is
    // coded against.
    unsigned MatchByte(const CoderState& at, uint64_t position) const {
        return at.reps[0] < position ? data_[position - at.reps[0] - 1] : 0;
    }

    // How far the bytes at `position` repeat those `distance` + 1 before it, up to `limit`.
    uint32_t RepeatLength(uint64_t position, uint32_t distance, uint32_t limit) const {
        if (distance >= position) return 0;
        const unsigned char* here = &data_[position];
        return CommonLength(here, here - distance - 1, 0, limit);
    }

    uint32_t Available(uint64_t position) const {
        return static_cast<uint32_t>(std::min<uint64_t>(data_.size() - position, MaxMatch));
    }

    void Emit(const Step& step) {
        if (step.item == LiteralItem)
            model_.EncodeLiteral(coder_, state_, pos_, Previous(pos_), data_[pos_], MatchByte(state_, pos_));
        else if (step.item < 4 && step.length == 1)
            model_.EncodeShortRep(coder_, state_, pos_);
        else if (step.item < 4)
            model_.EncodeRep(coder_, state_, pos_, step.item, step.length);
        else
            model_.EncodeMatch(coder_, state_, pos_, step.item - 4, step.length);
        pos_ += step.length;
    }

    void EmitLong(const Step& step) {
        Emit(step);
        finder_.Skip(step.length - 1);
    }

    void Reach(uint32_t target, uint32_t price, uint32_t from, std::initializer_list<Step> steps) {
        while (end_ < target) nodes_[++end_].price = Infinite;
        Node& node = nodes_[target];
        if (price >= node.price) return;
        node.price = price;
        node.from = from;
        node.count = 0;
        for (const Step& step : steps) node.steps[node.count++] = step;
    }

    // The coder's state at node `cur`, from the node it is reached from.
    void SettleState(uint32_t cur) {
        Node& node = nodes_[cur];
        node.at = nodes_[node.from].at;
        for (unsigned i = 0; i < node.count; ++i) Apply(node.at, node.steps[i]);
    }

    // After `lead` (coded from node `cur`, at `price`, leaving the coder at `after` and
    // `position`): a literal and then the last distance again, which finds a match interrupted by
    // one differing byte.
    void ReachLiteralThenRepeat(uint32_t cur, uint32_t price, CoderState after, uint64_t position,
                                std::initializer_list<Step> lead, uint32_t leadLength) {
        const uint32_t available = Available(position);
        if (available < 1 + MinMatch) return;
        const uint32_t length = RepeatLength(position + 1, after.reps[0], std::min(available - 1, niceLength_));
        if (length < MinMatch) return;
        price += model_.LiteralPrice(after, position, Previous(position), data_[position], MatchByte(after, position));
        after.AfterLiteral();
        const unsigned posState = model_.PosState(position + 1);
        price += model_.RepHeadPrice(after, 0, posState) + model_.RepLengthPrice(length, posState);
        Step steps[3];
        size_t count = 0;
        for (const Step& step : lead) steps[count++] = step;
        steps[count++] = Step{};
        steps[count++] = Step{0, length};
        const uint32_t target = cur + leadLength + 1 + length;
        if (count == 2)
            Reach(target, price, cur, {steps[0], steps[1]});
        else
            Reach(target, price, cur, {steps[0], steps[1], steps[2]});
    }

    // Every way on from node `cur`, whose position is `position` and whose repeats reach
    // `repeats` bytes.
    void Expand(uint32_t cur, uint64_t position, const std::vector<MatchCandidate>& matches,
                const uint32_t (&repeats)[4]) {
        const Node& node = nodes_[cur];
        const CoderState& at = node.at;
        const unsigned posState = model_.PosState(position);
        const unsigned byte = data_[position];
        const unsigned matchByte = MatchByte(at, position);
        const uint32_t literal = node.price + model_.LiteralPrice(at, position, Previous(position), byte, matchByte);
        Reach(cur + 1, literal, cur, {Step{}});
        if (at.reps[0] < position && matchByte == byte)
            Reach(cur + 1, node.price + model_.ShortRepPrice(at, posState), cur, {Step{0, 1}});
        else
            ReachLiteralThenRepeat(cur, node.price, at, position, {}, 0);
        const uint32_t available = Available(position);
        if (available < MinMatch) return;
        for (unsigned index = 0; index < 4; ++index) {
            const uint32_t length = repeats[index];
            if (length < MinMatch) continue;
            const uint32_t head = node.price + model_.RepHeadPrice(at, index, posState);
            for (uint32_t l = MinMatch; l <= length; ++l)
                Reach(cur + l, head + model_.RepLengthPrice(l, posState), cur, {Step{index, l}});
            CoderState after = at;
            after.AfterRep(index);
            ReachLiteralThenRepeat(cur, head + model_.RepLengthPrice(length, posState), after, position + length,
                                   {Step{index, length}}, length);
        }
        const uint32_t head = node.price + model_.MatchHeadPrice(at, posState);
        // A match no longer than the last distance's repeat would only cost more.
        uint32_t length = std::max(MinMatch, repeats[0] + 1);
        for (const MatchCandidate& match : matches) {
            if (match.length < length) continue;
            uint32_t price = 0;
            // The distance costs the same for every length from the fifth on.
            const uint32_t longDistance = model_.DistancePrice(match.distance, MinMatch + 3);
            for (; length <= match.length; ++length) {
                const uint32_t distance = length < MinMatch + 3 ? model_.DistancePrice(match.distance, length) : longDistance;
                price = head + model_.MatchLengthPrice(length, posState) + distance;
                Reach(cur + length, price, cur, {Step{match.distance + 4, length}});
            }
            CoderState after = at;
            after.AfterMatch(match.distance);
            ReachLiteralThenRepeat(cur, price, after, position + match.length, {Step{match.distance + 4, match.length}},
                                   match.length);
        }
    }

    // How far each of the state's repeats reaches at `position`; the longest of them as a step.
    Step Repeats(const CoderState& at, uint64_t position, uint32_t (&repeats)[4]) const {
        Step best{0, 0};
        const uint32_t available = Available(position);
        for (unsigned index = 0; index < 4; ++index) {
            repeats[index] = RepeatLength(position, at.reps[index], available);
            if (repeats[index] > best.length) best = {index, repeats[index]};
        }
        return best;
    }

    // A repeat or match at least the nice length, which is taken without weighing others.
    Step LongItem(const Step& repeat, const std::vector<MatchCandidate>& matches) const {
        if (repeat.length >= niceLength_) return repeat;
        if (!matches.empty() && matches.back().length >= niceLength_)
            return {matches.back().distance + 4, matches.back().length};
        return {0, 0};
    }

    // Codes the next stretch: the cheapest path through the look-ahead, found by trying every
    // literal, repeat and match at every position it reaches.
    void Decide() {
        uint32_t repeats[4];
        const std::vector<MatchCandidate>& first = finder_.Find();
        const Step longFirst = LongItem(Repeats(state_, pos_, repeats), first);
        if (longFirst.length > 0) return EmitLong(longFirst);

        nodes_[0].price = 0;
        nodes_[0].at = state_;
        end_ = 0;
        Expand(0, pos_, first, repeats);
        uint32_t cur = 1;
        Step longItem{0, 0};
        for (; cur < end_ && cur < OptimumWindow; ++cur) {
            SettleState(cur);
            const uint64_t position = pos_ + cur;
            const std::vector<MatchCandidate>& matches = finder_.Find();
            longItem = LongItem(Repeats(nodes_[cur].at, position, repeats), matches);
            if (longItem.length > 0) break;
            Expand(cur, position, matches, repeats);
        }
        EmitPath(cur);
        if (longItem.length > 0) EmitLong(longItem);
    }

    // Codes the items of the path that ends at node `last`. The match finder is already there.
    void EmitPath(uint32_t last) {
        path_.clear();
        for (uint32_t at = last; at > 0; at = nodes_[at].from) path_.push_back(at);
        for (auto node = path_.rbegin(); node != path_.rend(); ++node)
            for (unsigned i = 0; i < nodes_[*node].count; ++i) Emit(nodes_[*node].steps[i]);
    }

    std::span<const unsigned char> data_;
    uint32_t niceLength_;
    LzmaModel model_;
    RangeEncoder coder_;
    BinaryTreeFinder finder_;
    std::vector<Node> nodes_;
    std::vector<uint32_t> path_;
    uint32_t end_ = 0;
    uint64_t pos_ = 0;
    CoderState state_;
};

void PutLittleEndian(std::string& out, uint64_t value, int size) {
    for (int i = 0; i < size; ++i) out += static_cast<char>(value >> (8 * i));
}

}  // namespace

uint32_t DictionaryFor(uint64_t size, uint32_t limit) {
    for (uint32_t bits = 12; bits < 32; ++bits) {
        for (const uint32_t candidate : {1u << bits, 3u << (bits - 1)}) {
            if (candidate > limit) return limit;
            if (candidate >= size) return candidate;
        }
    }
    return limit;
}

std::string LzmaCompress(std::span<const unsigned char> data, const LzmaSettings& settings) {
    const uint32_t dictionary = settings.dictionary ? settings.dictionary : DictionaryFor(data.size(), 1u << 30);
    std::string out;
    const LzmaShape& shape = settings.shape;
    out += static_cast<char>((shape.pb * 5 + shape.lp) * 9 + shape.lc);
    PutLittleEndian(out, dictionary, 4);
    PutLittleEndian(out, data.size(), 8);
    Encoder(data, settings, dictionary, out).Run();
    return out;
}
