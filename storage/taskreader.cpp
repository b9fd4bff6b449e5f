#include "storage/taskreader.h"

#include <algorithm>
#include <cmath>

#include "model/numtext.h"
#include "storage/texts.h"

namespace {

// Keeps the reader, the field texts and the refusal text of one reading.
class Reading {
  public:
    Reading(FieldReader& reader, std::string& message) : reader_(reader), message_(message) {}

    bool Run(TaskDraft& staged);

  private:
    bool Header(TaskDraft& staged);
    bool Params(TaskDraft& staged);
    bool Variants(TaskDraft& staged);
    bool Outputs(TaskDraft& staged);
    bool Examples(TaskDraft& staged);

    // A refusal about the field just read.
    bool Refuse(const std::string& what);
    // Turns a field that could not be read into a refusal.
    bool Check(bool read);
    // A count outside 0..capacity is refused with the count's own words.
    bool CountInRange(int value, int capacity, const std::string& what);

    FieldReader& reader_;
    std::string& message_;
    std::string text_;
    std::string name_;
};

bool Reading::Refuse(const std::string& what) {
    message_ = NotLoadedMessage(reader_.line(), reader_.pastEnd(), what);
    return false;
}

bool Reading::Check(bool read) {
    if (read) return true;
    switch (reader_.error()) {
        case FieldError::NumberTooLong:
            return Refuse(NumberTooLongReason(MaxNumberBytes));
        case FieldError::NameTooLong:
            return Refuse(NameTooLongReason(MaxNameBytes));
        case FieldError::ReadFailed:
        case FieldError::None:
            break;
    }
    return Refuse(ReadFailedReason);
}

bool Reading::CountInRange(int value, int capacity, const std::string& what) {
    if (value >= 0 && value <= capacity) return true;
    return Refuse(CountOutOfRangeReason(what, value, capacity));
}

bool Reading::Header(TaskDraft& staged) {
    if (!Check(reader_.NumberLineField(text_))) return false;
    staged.inputCount = LenientAtoi(text_);
    if (!CountInRange(staged.inputCount, MaxInputs, InputCountName)) return false;

    if (!Check(reader_.NumberLineField(text_))) return false;
    // Not a reason to refuse: the hidden-layer edit's own rule applies later,
    // but the network is never sized past its storage.
    staged.hiddenCount = std::min(LenientAtoi(text_), MaxHidden);

    if (!Check(reader_.NumberLineField(text_))) return false;
    staged.outputCount = LenientAtoi(text_);
    if (!CountInRange(staged.outputCount, MaxOutputs, OutputCountName)) return false;

    if (!Check(reader_.NumberLineField(text_))) return false;
    staged.exampleCount = LenientAtoi(text_);
    return CountInRange(staged.exampleCount, MaxExamples, ExampleCountName);
}

bool Reading::Params(TaskDraft& staged) {
    staged.params.resize(staged.inputCount);
    for (int i = 0; i < staged.inputCount; ++i) {
        if (!Check(reader_.NumberAndNameField(text_, name_))) return false;
        const int count = LenientAtoi(text_);
        if (!CountInRange(count, MaxVariants, VariantCountName(i + 1))) return false;
        DraftParam& param = staged.params[i];
        param.name = name_;
        param.values.resize(count);
        param.names.resize(count);
    }
    return true;
}

bool Reading::Variants(TaskDraft& staged) {
    for (std::size_t i = 0; i < staged.params.size(); ++i) {
        DraftParam& param = staged.params[i];
        for (std::size_t j = 0; j < param.values.size(); ++j) {
            if (!Check(reader_.NumberAndNameField(text_, param.names[j]))) return false;
            param.values[j] = LenientAtof(text_);
            // The value becomes the network's input signal: nan or inf would
            // turn every weight into NaN.
            if (!std::isfinite(param.values[j]))
                return Refuse(VariantValueNotFiniteReason(static_cast<long long>(j) + 1,
                                                          static_cast<long long>(i) + 1));
        }
    }
    return true;
}

bool Reading::Outputs(TaskDraft& staged) {
    staged.outputNames.resize(staged.outputCount);
    for (std::string& name : staged.outputNames)
        if (!Check(reader_.NameLineField(name))) return false;
    return true;
}

bool Reading::Examples(TaskDraft& staged) {
    staged.examples.resize(staged.exampleCount);
    for (int k = 0; k < staged.exampleCount; ++k) {
        DraftExample& example = staged.examples[k];
        for (int i = 0; i < staged.inputCount; ++i) {
            if (!Check(reader_.CommaField(text_))) return false;
            const int variant = LenientAtoi(text_);
            const int count = static_cast<int>(staged.params[i].values.size());
            if (variant < 0 || variant >= count) {
                if (count == 0)
                    return Refuse(ExampleVariantOfEmptyParamReason(k + 1, variant, i + 1));
                return Refuse(ExampleVariantOutOfRangeReason(k + 1, i + 1, variant, count - 1));
            }
            example.variants[i] = variant;
        }
        if (!Check(reader_.ResultField(text_))) return false;
        const int result = LenientAtoi(text_);
        if (result < 0 || result >= staged.outputCount) {
            if (staged.outputCount == 0)
                return Refuse(ExampleResultWithoutOutputsReason(k + 1, result));
            return Refuse(ExampleResultOutOfRangeReason(k + 1, result, staged.outputCount - 1));
        }
        example.result = result;
    }
    return true;
}

bool Reading::Run(TaskDraft& staged) {
    return Header(staged) && Params(staged) && Variants(staged) && Outputs(staged) &&
           Examples(staged);
}

}  // namespace

Status ReadTaskFile(FieldReader& reader, TaskDraft& staged) {
    std::string message;
    if (Reading(reader, message).Run(staged)) return {};
    return Status::Refuse(std::move(message));
}
