// The objects of the hazards that live on the board: the random event
// generator, bandits and raiders (indigens). Their rules are methods of the
// level (hazards.cpp); these are plain pool entries, allocated once with the
// level and reused.
#pragma once

#include "runtime/gc.h"

constexpr int kBanditsPoolSize = 1;
constexpr int kIndigensPoolSize = 5;

// Seconds between events for event kinds 1, 2 and 3, before the random part.
constexpr int kEventBaseSeconds[4] = {0, 90, 60, 30};
// The random part is drawn from [kEventRandomLow, kEventRandomHigh).
constexpr float kEventRandomLow = 1.0f;
constexpr float kEventRandomHigh = 30.0f;

constexpr float kChasePerClick = 20.0f;
constexpr float kChaseDecayPerUpdate = 0.5f;
constexpr float kChaseToDriveOff = 100.0f;
constexpr int kBanditsTheftMs = 1500;
constexpr int kBanditsTheftAmount = 100;
constexpr int kIndigensTearOutMs = 3000;
constexpr int kEnemyFrameMs = 100;
constexpr int kEnemyFrameCount = 20;
constexpr int kBanditsIntroPage = 9;
constexpr int kIndigensIntroPage = 10;

class c_cRandomEventGenerator : public Object {
 public:
  float banditsCounter = 0;
  float indigensCounter = 0;
  float lastTick = 0;
  int banditsLevel = 0;
  int indigensLevel = 0;
  int banditsPeriod = 0;
  int indigensPeriod = 0;
  int banditsDue = 0;
  int indigensDue = 0;
};

// Bandits and raiders share one layout.
class c_cEnemy : public Object {
 public:
  int active = 0;
  int x = 0;
  int y = 0;
  float chaseMeter = 0;
  float actionTime = 0;  // bandits: the last theft; raiders: arrival
  float animationTime = 0;
  int animationFrame = 0;
};
class c_cBandits : public c_cEnemy {};
class c_cIndigens : public c_cEnemy {};
