#pragma once

// What the document asks of a test train on each tick of the train timer: to move on by the
// number of 20 ms steps that have passed.
class CRunningTrain {
  public:
    virtual ~CRunningTrain() = default;
    virtual void StepTrain(int ticks) = 0;
};
