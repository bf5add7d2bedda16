#include "serial/SimulatedLoader.h"

#include "serial/DeviceProtocol.h"

using namespace protocol;
using Phase = SimulatedPhase;

bool SimulatedLoader::Knows(const std::string& request) const { return request == kProgram; }

void SimulatedLoader::Request(const std::string&) {
    ++requests_;
    if (requests_ <= options_.silentRequests) {
        Send(options_.silentReply);
        return;
    }
    image_.clear();
    length_ = -1;
    readIndex_ = 0;
    Send(options_.connectPrefix);
    Send(kPrompt);
    state_ = State::LengthHigh;
}

bool SimulatedLoader::Prompt(Phase phase, int index, unsigned char prompt) {
    if (Answer(phase, prompt, index)) return true;
    state_ = State::Idle;
    return false;
}

bool SimulatedLoader::Take(unsigned char b) {
    switch (state_) {
        case State::LengthHigh:
            lengthHigh_ = b;
            if (Prompt(Phase::HighByte, -1, kPrompt)) state_ = State::LengthLow;
            return true;
        case State::LengthLow:
            length_ = lengthHigh_ * 256 + b;
            if (Prompt(Phase::BeforeByte, 0, kPrompt)) state_ = State::Data;
            return true;
        case State::Data: {
            image_.push_back(b);
            const int stored = static_cast<int>(image_.size());
            if (stored % kBlockBytes == 0) {
                if (Prompt(Phase::BlockEnd, stored / kBlockBytes - 1, kBlockEnd)) state_ = State::NextOrEnd;
            } else {
                Prompt(Phase::BeforeByte, stored, kPrompt);
            }
            return true;
        }
        case State::NextOrEnd:
            if (b == kNextBlock) {
                if (Prompt(Phase::BeforeByte, static_cast<int>(image_.size()), kPrompt)) state_ = State::Data;
                return true;
            }
            if (b == kLastBlock) {
                ++completed_;
                if (Prompt(Phase::DataEnd, -1, kDataEnd)) state_ = State::Verify;
                return true;
            }
            return false;
        case State::Verify:
            if (b == kReadBack) {
                const int index = readIndex_++;
                const unsigned char stored = index < static_cast<int>(image_.size()) ? image_[index] : 0;
                if (!FaultAt(Phase::ReadBack, index))
                    Send(stored);
                else if (!options_.faultMute)
                    Send(static_cast<unsigned char>(stored ^ 0xFF));
                return true;
            }
            return false;
        case State::Idle:
            return false;
    }
    return false;
}
