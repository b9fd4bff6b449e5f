#include "model/definition.h"

#include <gtest/gtest.h>

#include "tests/support/scripted_dialog.h"
#include "tests/support/status_check.h"
#include "tests/support/task_builder.h"

namespace {

// A task with three parameters, three outputs, two examples and a trained look.
std::unique_ptr<NetTask> TrainedTask() {
    auto task = MakeTask();
    AddParam(*task, {"A", {{1.0, "a1"}, {2.0, "a2"}}});
    AddParam(*task, {"B", {{3.0, "b1"}}});
    AddParam(*task, {"C", {{4.0, "c1"}, {5.0, "c2"}, {6.0, "c3"}}});
    SetOutputs(*task, {"x", "y", "z"});
    PutExample(*task, {0, 0, 1}, 2);
    PutExample(*task, {1, 0, 2}, 0);
    task->hiddenCount = 4;
    task->learningCoef = 0.2;
    task->weightsInputHidden[0][0] = 0.25;
    task->errorHistory = {0.5, 0.25};
    task->errorCount = 2;
    task->accuracyPercent = 50.0;
    return task;
}

std::unique_ptr<NetTask> Copy(const NetTask& task) {
    auto copy = MakeTask();
    CopyTask(task, *copy);
    return copy;
}

// The expected record after ResetExamples: the rows themselves stay.
std::unique_ptr<NetTask> Reset(const NetTask& task) {
    auto copy = Copy(task);
    copy->exampleCount = 0;
    copy->accuracyPercent = 0.0;
    return copy;
}

}  // namespace

TEST(ConfirmDiscardExamples, NoExamplesAsksNothingAndKeepsAccuracy) {
    auto task = TrainedTask();
    task->exampleCount = 0;
    auto before = Copy(*task);
    ScriptedDialog user;
    EXPECT_TRUE(ConfirmDiscardExamples(*task, user, "q"));
    EXPECT_TRUE(user.questions.empty());
    EXPECT_EQ(DescribeDifference(*task, *before), "");
}

TEST(ConfirmDiscardExamples, CancelKeepsEverything) {
    auto task = TrainedTask();
    auto before = Copy(*task);
    ScriptedDialog user;
    user.answers = {false};
    EXPECT_FALSE(ConfirmDiscardExamples(*task, user, "question?"));
    EXPECT_EQ(user.questions, std::vector<std::string>{"question?"});
    EXPECT_EQ(DescribeDifference(*task, *before), "");
}

TEST(ConfirmDiscardExamples, OkResetsExamplesAndAccuracyOnly) {
    auto task = TrainedTask();
    auto expected = Reset(*task);
    ScriptedDialog user;
    user.answers = {true};
    EXPECT_TRUE(ConfirmDiscardExamples(*task, user, "question?"));
    EXPECT_EQ(DescribeDifference(*task, *expected), "");
    EXPECT_TRUE(user.messages.empty());
}

TEST(AddInputParam, OpensEditorWithoutQuestionWhenNoExamples) {
    auto task = MakeTask();
    DialogState state{ModeTraining, 3};
    ScriptedDialog user;
    const EditorRequest request = AddInputParam(*task, state, user);
    EXPECT_TRUE(request.open);
    EXPECT_EQ(request.role, ModeSetup);
    EXPECT_EQ(state.dialogMode, ModeSetup);
    EXPECT_EQ(state.editIndex, 3);
    EXPECT_TRUE(request.status.ok());
    EXPECT_TRUE(user.questions.empty());
}

TEST(AddInputParam, TwelveParametersRefusedWithoutQuestion) {
    auto task = TrainedTask();
    for (int i = 3; i < MaxInputs; ++i) AddParam(*task, {"P", {{1.0, "v"}}});
    auto before = Copy(*task);
    DialogState state{ModeOutput, 0};
    ScriptedDialog user;  // no answers: any question fails the test
    const EditorRequest request = AddInputParam(*task, state, user);
    EXPECT_FALSE(request.open);
    EXPECT_EQ(state.dialogMode, ModeSetup);
    EXPECT_EQ(Refusal(request.status), InputsLimitMessage);
    EXPECT_EQ(std::string(InputsLimitMessage),
              "Извините, в это версии программы кол-во входных нейронов ограничено числом 12.");
    EXPECT_EQ(DescribeDifference(*task, *before), "");
}

TEST(AddInputParam, CancelKeepsExamplesAndDefinition) {
    auto task = TrainedTask();
    auto before = Copy(*task);
    DialogState state;
    ScriptedDialog user;
    user.answers = {false};
    const EditorRequest request = AddInputParam(*task, state, user);
    EXPECT_FALSE(request.open);
    EXPECT_TRUE(request.status.ok());  // a cancelled question is no refusal
    EXPECT_EQ(user.questions, std::vector<std::string>{
                                  "Добавление новых параметров возможно только с удалением всех "
                                  "примеров.\nХотите всё равно Продолжить?"});
    EXPECT_EQ(DescribeDifference(*task, *before), "");
}

// The examples go before the editor opens; cancelling it cannot bring them back.
TEST(AddInputParam, OkThenCancelledEditorLosesExamplesOnly) {
    auto task = TrainedTask();
    auto expected = Reset(*task);
    DialogState state;
    ScriptedDialog user;
    user.answers = {true};
    const EditorRequest request = AddInputParam(*task, state, user);
    EXPECT_TRUE(request.open);
    EXPECT_EQ(request.role, ModeSetup);
    EXPECT_EQ(DescribeDifference(*task, *expected), "");
}

TEST(EditOutputVariants, AsksTheChangeQuestionAndHasNoLimit) {
    auto task = TrainedTask();
    std::vector<std::string> names(MaxOutputs, "o");
    SetOutputs(*task, names);
    task->exampleCount = 1;
    DialogState state{ModeTraining, 0};
    ScriptedDialog user;
    user.answers = {false, true};
    EXPECT_FALSE(EditOutputVariants(*task, state, user).open);
    EXPECT_EQ(state.dialogMode, ModeOutput);
    EXPECT_EQ(task->exampleCount, 1);
    const EditorRequest request = EditOutputVariants(*task, state, user);
    EXPECT_TRUE(request.open);
    EXPECT_EQ(request.role, ModeOutput);
    EXPECT_EQ(task->exampleCount, 0);
    EXPECT_EQ(task->accuracyPercent, 0.0);
    ASSERT_EQ(user.questions.size(), 2u);
    EXPECT_EQ(user.questions[0], ChangeParamQuestion);
    EXPECT_EQ(std::string(ChangeParamQuestion),
              "Изменение параметров возможно только с удалением всех примеров.\nХотите всё равно "
              "Продолжить?");
}

TEST(ChangeInputParam, OpensForTheSelectedParameter) {
    auto task = TrainedTask();
    task->exampleCount = 0;
    DialogState state;
    ScriptedDialog user;
    const EditorRequest request = ChangeInputParam(*task, state, 2, user);
    EXPECT_TRUE(request.open);
    EXPECT_EQ(request.role, ModeEditInput);
    EXPECT_EQ(state.dialogMode, ModeEditInput);
    EXPECT_EQ(state.editIndex, 2);
    EXPECT_TRUE(user.questions.empty());
}

TEST(ChangeInputParam, NoSelectionStillAsksAndDiscardsButOpensNothing) {
    auto task = TrainedTask();
    auto expected = Reset(*task);
    DialogState state;
    ScriptedDialog user;
    user.answers = {true};
    EXPECT_FALSE(ChangeInputParam(*task, state, -1, user).open);
    EXPECT_EQ(state.dialogMode, ModeEditInput);
    EXPECT_EQ(state.editIndex, -1);
    EXPECT_EQ(user.questions, std::vector<std::string>{ChangeParamQuestion});
    EXPECT_EQ(DescribeDifference(*task, *expected), "");
}

TEST(ChangeInputParam, CancelKeepsTaskButRoleIsSet) {
    auto task = TrainedTask();
    auto before = Copy(*task);
    DialogState state;
    ScriptedDialog user;
    user.answers = {false};
    EXPECT_FALSE(ChangeInputParam(*task, state, 1, user).open);
    EXPECT_EQ(state.dialogMode, ModeEditInput);
    EXPECT_EQ(state.editIndex, 1);
    EXPECT_EQ(DescribeDifference(*task, *before), "");
}

TEST(ChangeInputParam, IndexBeyondTheParametersOpensNothing) {
    auto task = TrainedTask();
    task->exampleCount = 0;
    DialogState state;
    ScriptedDialog user;
    EXPECT_FALSE(ChangeInputParam(*task, state, 3, user).open);
}

TEST(DeleteInputParam, FirstOfThreeShiftsParametersWithTheirVariants) {
    auto task = TrainedTask();
    task->exampleCount = 0;
    auto expected = Copy(*task);
    expected->inputNames[0] = "B";
    expected->inputNames[1] = "C";
    expected->inputParams[0] = task->inputParams[1];
    expected->inputParams[1] = task->inputParams[2];
    expected->inputCount = 2;  // slot 2 keeps its old contents
    ScriptedDialog user;
    EXPECT_TRUE(DeleteInputParam(*task, 0, user));
    EXPECT_EQ(DescribeDifference(*task, *expected), "");
    EXPECT_EQ(task->inputParams[0].variantCount, 1);
    EXPECT_EQ(task->inputParams[1].variantCount, 3);
    EXPECT_EQ(task->inputParams[1].variantNames[2], "c3");
    EXPECT_EQ(task->inputNames[2], "C");
    EXPECT_EQ(std::string(DeletedMessage), "Удалено!");
    EXPECT_TRUE(user.questions.empty());
}

TEST(DeleteInputParam, LastParameterOnlyLowersTheCount) {
    auto task = TrainedTask();
    task->exampleCount = 0;
    auto expected = Copy(*task);
    expected->inputCount = 2;
    ScriptedDialog user;
    EXPECT_TRUE(DeleteInputParam(*task, 2, user));
    EXPECT_EQ(DescribeDifference(*task, *expected), "");
}

TEST(DeleteInputParam, AsksTheDeleteQuestionFirst) {
    auto task = TrainedTask();
    auto before = Copy(*task);
    ScriptedDialog user;
    user.answers = {false, true};
    EXPECT_FALSE(DeleteInputParam(*task, 1, user));
    EXPECT_EQ(DescribeDifference(*task, *before), "");
    EXPECT_TRUE(DeleteInputParam(*task, 1, user));
    EXPECT_EQ(task->inputCount, 2);
    EXPECT_EQ(task->inputNames[1], "C");
    EXPECT_EQ(task->exampleCount, 0);
    EXPECT_EQ(task->accuracyPercent, 0.0);
    EXPECT_EQ(user.questions, (std::vector<std::string>{DeleteParamQuestion, DeleteParamQuestion}));
    EXPECT_EQ(std::string(DeleteParamQuestion),
              "Удаление этого параметра возможно только с удалением всех примеров.\nХотите всё "
              "равно Продолжить?");
}

TEST(DeleteInputParam, NothingToDeleteShowsNothing) {
    auto task = MakeTask();
    auto before = Copy(*task);
    ScriptedDialog user;
    EXPECT_FALSE(DeleteInputParam(*task, -1, user));
    EXPECT_FALSE(DeleteInputParam(*task, 0, user));
    EXPECT_EQ(DescribeDifference(*task, *before), "");
}

// An index naming no parameter must never reach the arrays, even after OK.
TEST(DeleteInputParam, IndexOutsideTheListChangesOnlyTheExamples) {
    auto task = TrainedTask();
    auto expected = Reset(*task);
    ScriptedDialog user;
    user.answers = {true};
    EXPECT_FALSE(DeleteInputParam(*task, -1, user));
    EXPECT_EQ(DescribeDifference(*task, *expected), "");
    EXPECT_FALSE(DeleteInputParam(*task, 3, user));
    EXPECT_FALSE(DeleteInputParam(*task, MaxInputs, user));
    EXPECT_EQ(DescribeDifference(*task, *expected), "");
}

TEST(DeleteOutputVariant, ShiftsLaterNamesAndKeepsTheFreedSlot) {
    auto task = TrainedTask();
    task->exampleCount = 0;
    auto expected = Copy(*task);
    expected->outputNames[0] = "y";
    expected->outputNames[1] = "z";
    expected->outputCount = 2;
    ScriptedDialog user;
    EXPECT_TRUE(DeleteOutputVariant(*task, 0, user));
    EXPECT_EQ(DescribeDifference(*task, *expected), "");
    EXPECT_EQ(task->outputNames[2], "z");
}

TEST(DeleteOutputVariant, AsksTheChangeQuestion) {
    auto task = TrainedTask();
    auto before = Copy(*task);
    ScriptedDialog user;
    user.answers = {false, true};
    EXPECT_FALSE(DeleteOutputVariant(*task, 1, user));
    EXPECT_EQ(DescribeDifference(*task, *before), "");
    EXPECT_TRUE(DeleteOutputVariant(*task, 1, user));
    EXPECT_EQ(task->outputCount, 2);
    EXPECT_EQ(task->outputNames[1], "z");
    EXPECT_EQ(task->exampleCount, 0);
    EXPECT_EQ(user.questions, (std::vector<std::string>{ChangeParamQuestion, ChangeParamQuestion}));
}

TEST(DeleteOutputVariant, NothingToDeleteOrBadIndexShowsNothing) {
    auto task = TrainedTask();
    auto expected = Reset(*task);
    ScriptedDialog user;
    user.answers = {true};
    EXPECT_FALSE(DeleteOutputVariant(*task, -1, user));
    EXPECT_FALSE(DeleteOutputVariant(*task, 3, user));
    EXPECT_EQ(DescribeDifference(*task, *expected), "");
    auto empty = MakeTask();
    EXPECT_FALSE(DeleteOutputVariant(*empty, 0, user));
    EXPECT_EQ(empty->outputCount, 0);
    EXPECT_EQ(user.questions.size(), 1u);
}
