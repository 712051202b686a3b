// Key translation, the window callbacks' events, the input device and joysticks.
#include <GLFW/glfw3.h>

#include "host/input.h"
#include "tests/host/host_test_util.h"

namespace {

TEST(TranslateKeyTest, SamePhysicalKeysAsTheApplicationCodes) {
  const std::pair<int, int> table[] = {
      {GLFW_KEY_SPACE, 32},       {GLFW_KEY_APOSTROPHE, 222},   {GLFW_KEY_COMMA, 188},
      {GLFW_KEY_MINUS, 189},      {GLFW_KEY_PERIOD, 190},       {GLFW_KEY_SLASH, 191},
      {GLFW_KEY_0, 48},           {GLFW_KEY_9, 57},             {GLFW_KEY_SEMICOLON, 186},
      {GLFW_KEY_EQUAL, 187},      {GLFW_KEY_A, 65},             {GLFW_KEY_Z, 90},
      {GLFW_KEY_LEFT_BRACKET, 219}, {GLFW_KEY_BACKSLASH, 220},  {GLFW_KEY_RIGHT_BRACKET, 221},
      {GLFW_KEY_GRAVE_ACCENT, 192}, {GLFW_KEY_ESCAPE, 27},      {GLFW_KEY_F1, 112},
      {GLFW_KEY_F12, 123},        {GLFW_KEY_UP, 38},            {GLFW_KEY_DOWN, 40},
      {GLFW_KEY_LEFT, 37},        {GLFW_KEY_RIGHT, 39},         {GLFW_KEY_LEFT_SHIFT, 16},
      {GLFW_KEY_RIGHT_SHIFT, 16}, {GLFW_KEY_LEFT_CONTROL, 17},  {GLFW_KEY_RIGHT_CONTROL, 17},
      {GLFW_KEY_TAB, 9},          {GLFW_KEY_ENTER, 13},         {GLFW_KEY_BACKSPACE, 8},
      {GLFW_KEY_INSERT, 45},      {GLFW_KEY_DELETE, 46},        {GLFW_KEY_PAGE_UP, 33},
      {GLFW_KEY_PAGE_DOWN, 34},   {GLFW_KEY_HOME, 36},          {GLFW_KEY_END, 35},
  };
  for (const auto& [glfw, app] : table) EXPECT_EQ(TranslateKey(glfw), app) << "GLFW key " << glfw;
  // Alt, F13 and above, the keypad, the locks, pause, the system keys and menu.
  for (int key : {GLFW_KEY_LEFT_ALT, GLFW_KEY_RIGHT_ALT, GLFW_KEY_F13, GLFW_KEY_F25, GLFW_KEY_KP_0,
                  GLFW_KEY_KP_ENTER, GLFW_KEY_CAPS_LOCK, GLFW_KEY_NUM_LOCK, GLFW_KEY_SCROLL_LOCK,
                  GLFW_KEY_PAUSE, GLFW_KEY_PRINT_SCREEN, GLFW_KEY_LEFT_SUPER, GLFW_KEY_MENU,
                  GLFW_KEY_WORLD_1, GLFW_KEY_UNKNOWN, 0}) {
    EXPECT_EQ(TranslateKey(key), 0) << "GLFW key " << key;
  }
  // Every translated code is a valid, distinct-enough application key.
  for (int k = 0; k <= kGlfwKeyLast; ++k) {
    const int a = TranslateKey(k);
    EXPECT_TRUE(a == 0 || (a >= 8 && a <= 222)) << k;
  }
}

using CallbackTest = HostFixture;

std::vector<std::pair<int, int>> Keys(const std::vector<Call>& calls) {
  std::vector<std::pair<int, int>> keys;
  for (const Call& c : calls) {
    if (c.what == "key") keys.push_back({c.event, c.data});
  }
  return keys;
}

TEST_F(CallbackTest, EditingKeysPostTheirCharactersAndRepeatsRepeatThem) {
  game->BeginGame();
  game->OnKey(GLFW_KEY_UP, HostInputSink::kActionPress);
  game->OnKey(GLFW_KEY_DELETE, HostInputSink::kActionPress);
  game->OnKey(GLFW_KEY_BACKSPACE, HostInputSink::kActionPress);
  game->OnKey(GLFW_KEY_BACKSPACE, HostInputSink::kActionRepeat);
  game->OnKey(GLFW_KEY_BACKSPACE, HostInputSink::kActionRelease);
  game->OnKey(GLFW_KEY_A, HostInputSink::kActionPress);  // printable: characters come separately
  game->OnChar(0x263A);
  game->OnKey(GLFW_KEY_KP_5, HostInputSink::kActionPress);  // unknown: nothing
  game->OnKey(GLFW_KEY_INSERT, HostInputSink::kActionPress);
  game->OnKey(GLFW_KEY_ENTER, HostInputSink::kActionPress);
  const std::vector<std::pair<int, int>> expected = {
      {KeyPressed, 38}, {CharTyped, 65574}, {KeyPressed, 46}, {CharTyped, 127},
      {KeyPressed, 8},  {CharTyped, 8},     {KeyPressed, 8},  {CharTyped, 8},
      {KeyReleased, 8}, {KeyPressed, 65},   {CharTyped, 0x263A},
      {KeyPressed, 45}, {CharTyped, 45 + 65536}, {KeyPressed, 13}, {CharTyped, 13},
  };
  EXPECT_EQ(Keys(calls), expected);
}

TEST_F(CallbackTest, MouseButtonsCarryThePointerAndOnlyTheFirstThreeCount) {
  game->BeginGame();
  platform.window = true;
  platform.cursorX = 100.75;
  platform.cursorY = 50.25;
  game->OnMouseButton(0, HostInputSink::kActionPress);
  game->OnMouseButton(3, HostInputSink::kActionPress);
  game->OnMouseButton(2, HostInputSink::kActionRelease);
  game->OnMousePosition(7, 8);
  std::vector<Call> mouse;
  for (const Call& c : calls) {
    if (c.what == "mouse") mouse.push_back(c);
  }
  ASSERT_EQ(mouse.size(), 3u);
  EXPECT_EQ(mouse[0].event, ButtonPressed);
  EXPECT_EQ(mouse[0].data, 0);
  EXPECT_EQ(mouse[0].x, 100);
  EXPECT_EQ(mouse[0].y, 50);
  EXPECT_EQ(mouse[1].event, ButtonReleased);
  EXPECT_EQ(mouse[1].data, 2);
  EXPECT_EQ(mouse[2].event, PointerMoved);
  EXPECT_EQ(mouse[2].data, -1);
  EXPECT_EQ(mouse[2].x, 7);
}

TEST_F(CallbackTest, HighDensityPointerLandsOnTheDrawnPixels) {
  game->BeginGame();
  platform.window = true;
  platform.pixelWidth = 2048;
  platform.pixelHeight = 1536;
  game->OnMousePosition(100, 50);
  int w = 0, h = 0;
  game->GetWindowSize(&w, &h);
  EXPECT_EQ(w, 2048);
  EXPECT_EQ(h, 1536);
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.back().x, 200);
  EXPECT_EQ(calls.back().y, 100);
}

TEST_F(CallbackTest, JoysticksAreRearrangedForFourAndFiveAxes) {
  Array<float> x(2), y(2), z(2);
  Array<bool> buttons(32);
  x[0] = 9;
  EXPECT_FALSE(game->ReadJoystick(0, x, y, z, buttons));  // absent: untouched
  EXPECT_EQ(x[0], 9);

  std::vector<unsigned char> states(40, GLFW_RELEASE);
  states[1] = GLFW_PRESS;
  states[35] = GLFW_PRESS;  // beyond 32: unused
  platform.joysticks[0] = {{0.1f, 0.2f, 0.3f, 0.4f}, states};
  ASSERT_TRUE(game->ReadJoystick(0, x, y, z, buttons));
  EXPECT_FLOAT_EQ(x[0], 0.1f);
  EXPECT_FLOAT_EQ(y[0], 0.2f);
  EXPECT_FLOAT_EQ(z[0], 0);
  EXPECT_FLOAT_EQ(x[1], 0.4f);
  EXPECT_FLOAT_EQ(y[1], 0.3f);
  EXPECT_FLOAT_EQ(z[1], 0);
  EXPECT_TRUE(buttons[1]);
  EXPECT_FALSE(buttons[0]);

  platform.joysticks[1] = {{1, 2, 3, 4, 5}, {}};
  ASSERT_TRUE(game->ReadJoystick(1, x, y, z, buttons));
  EXPECT_EQ(z[0], 3);
  EXPECT_EQ(x[1], 5);
  EXPECT_EQ(y[1], 4);
  EXPECT_EQ(z[1], 0);

  platform.joysticks[2] = {{1, 2, 3, 4, 5, 6, 7, 8}, {}};
  ASSERT_TRUE(game->ReadJoystick(2, x, y, z, buttons));
  EXPECT_EQ(z[1], 6);

  EXPECT_FALSE(game->ReadJoystick(16, x, y, z, buttons));
  EXPECT_FALSE(game->ReadJoystick(-1, x, y, z, buttons));
  platform.Terminate();
  EXPECT_FALSE(game->ReadJoystick(0, x, y, z, buttons));
}

// ---- The input device -------------------------------------------------------

class InputDeviceTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    device = new c_InputDevice();
    currentInputDevice = device;
  }
  void TearDown() override {
    currentInputDevice = nullptr;
    HostFixture::TearDown();
  }
  c_InputDevice* device = nullptr;
};

TEST_F(InputDeviceTest, LeftClickMirrorsTheFirstTouch) {
  device->ApplyMouseEvent(ButtonPressed, 0, 30, 40);
  EXPECT_TRUE(device->keyDown[KeyMouseLeft]);
  EXPECT_TRUE(device->keyDown[KeyTouchFirst]);
  EXPECT_EQ(device->keyHitCount[KeyMouseLeft], 1);
  EXPECT_EQ(device->keyHitCount[KeyTouchFirst], 1);
  EXPECT_EQ(device->mouseX, 30);
  EXPECT_EQ(device->touchY[0], 40);
  device->ApplyMouseEvent(ButtonReleased, 0, 99, 99);
  EXPECT_FALSE(device->keyDown[KeyMouseLeft]);
  EXPECT_FALSE(device->keyDown[KeyTouchFirst]);
  EXPECT_EQ(device->mouseX, 30);  // a release does not move the pointer
  EXPECT_EQ(device->keyHitCount[KeyMouseLeft], 1);

  // A first touch mirrors the left button and moves the pointer.
  device->EndInputUpdate();
  device->ApplyTouchEvent(TouchBegan, 0, 5, 6);
  EXPECT_TRUE(device->keyDown[KeyMouseLeft]);
  EXPECT_EQ(device->keyHitCount[KeyMouseLeft], 1);
  EXPECT_EQ(device->mouseY, 6);
  device->ApplyTouchEvent(TouchMoved, 3, 70, 80);
  EXPECT_EQ(device->touchX[3], 70);
  EXPECT_EQ(device->mouseX, 5);
  device->ApplyTouchEvent(TouchEnded, 0, 0, 0);
  EXPECT_FALSE(device->keyDown[KeyMouseLeft]);
  device->ApplyTouchEvent(TouchBegan, 32, 1, 1);  // no such finger
  EXPECT_EQ(device->hitQueueLength, 2);
}

TEST_F(InputDeviceTest, FortyClicksInOneUpdateFillTheQueueOfThirtyThree) {
  for (int i = 0; i < 40; ++i) {
    device->ApplyMouseEvent(ButtonPressed, 0, 1, 1);
    device->ApplyMouseEvent(ButtonReleased, 0, 1, 1);
  }
  EXPECT_EQ(device->hitQueueLength, 33);
  EXPECT_EQ(device->keyHitCount[KeyMouseLeft], 17);
  EXPECT_EQ(device->keyHitCount[KeyTouchFirst], 16);
  EXPECT_EQ(device->hitQueue[32], KeyMouseLeft);
  device->EndInputUpdate();
  EXPECT_EQ(device->hitQueueLength, 0);
  EXPECT_EQ(device->keyHitCount[KeyMouseLeft], 0);
  EXPECT_EQ(device->keyHitCount[KeyTouchFirst], 0);
}

TEST_F(InputDeviceTest, RepeatsAreNotHitsAndReleasesOfKeysNotDownDoNothing) {
  device->ApplyKeyEvent(KeyPressed, 65);
  device->ApplyKeyEvent(KeyPressed, 65);
  device->ApplyKeyEvent(KeyPressed, 65);
  EXPECT_EQ(device->keyHitCount[65], 1);
  device->ApplyKeyEvent(KeyReleased, 66);
  EXPECT_FALSE(device->keyDown[66]);
  device->ApplyKeyEvent(KeyReleased, 65);
  EXPECT_FALSE(device->keyDown[65]);
  device->ApplyKeyEvent(KeyPressed, 65);
  EXPECT_EQ(device->keyHitCount[65], 2);
  // Codes outside the table are ignored rather than written out of bounds.
  device->ApplyKeyEvent(KeyPressed, 512);
  device->ApplyKeyEvent(KeyPressed, -1);
  device->ApplyKeyEvent(KeyReleased, 9999);
  EXPECT_EQ(device->hitQueueLength, 2);
  // keyDown survives the update; hits do not.
  device->EndInputUpdate();
  EXPECT_TRUE(device->keyDown[65]);
  EXPECT_EQ(device->keyHitCount[65], 0);
}

TEST_F(InputDeviceTest, CharactersQueueUpToThirtyTwoPerUpdate) {
  for (int i = 0; i < 40; ++i) device->ApplyKeyEvent(CharTyped, 'a' + i);
  EXPECT_EQ(device->charQueueLength, 32);
  EXPECT_EQ(device->GetChar(), 'a');
  EXPECT_EQ(device->GetChar(), 'b');
  EXPECT_EQ(device->charReadPos, 2);
  device->EndInputUpdate();
  EXPECT_EQ(device->charQueueLength, 0);
  EXPECT_EQ(device->charReadPos, 0);
  EXPECT_EQ(device->GetChar(), 0);
}

TEST_F(InputDeviceTest, JoystickPollingStopsAtTheFirstAbsentPort) {
  std::vector<unsigned char> states(32, GLFW_RELEASE);
  states[4] = GLFW_PRESS;
  platform.joysticks[0] = {{0.5f, -0.5f}, states};
  device->BeginInputUpdate();
  device->BeginInputUpdate();
  EXPECT_EQ(platform.joystickPolls[0], 2);
  EXPECT_EQ(platform.joystickPolls[1], 2);
  EXPECT_EQ(platform.joystickPolls.count(2), 0u);
  EXPECT_EQ(platform.joystickPolls.count(3), 0u);
  // A held button is one hit, not one per update.
  EXPECT_TRUE(device->keyDown[KeyJoyFirst + 4]);
  EXPECT_EQ(device->keyHitCount[KeyJoyFirst + 4], 1);
  EXPECT_FLOAT_EQ(device->joyStates[0]->joyY[0], -0.5f);
  // Released: the key goes up. Unplugged: the last state stays.
  platform.joysticks[0].buttons[4] = GLFW_RELEASE;
  device->BeginInputUpdate();
  EXPECT_FALSE(device->keyDown[KeyJoyFirst + 4]);
  platform.joysticks[0].buttons[4] = GLFW_PRESS;
  device->BeginInputUpdate();
  platform.joysticks.clear();
  device->BeginInputUpdate();
  EXPECT_TRUE(device->keyDown[KeyJoyFirst + 4]);
  EXPECT_TRUE(device->joyStates[0]->buttons[4]);
  // Port 1 present too: its buttons are keys 288 onwards.
  platform.joysticks[0] = {{}, {}};
  platform.joysticks[1] = {{}, {GLFW_PRESS}};
  device->BeginInputUpdate();
  EXPECT_TRUE(device->keyDown[KeyJoyFirst + 32]);
  EXPECT_EQ(platform.joystickPolls[2], 1);
}

TEST_F(InputDeviceTest, SurvivesCollectionsWithItsArrays) {
  device->ApplyKeyEvent(KeyPressed, 70);
  for (int i = 0; i < 5; ++i) {
    MarkNow(device);
    GcCollectAll();
  }
  EXPECT_EQ(GcCheckHeap(), "");
  EXPECT_TRUE(device->keyDown[70]);
  EXPECT_EQ(device->joyStates[3]->buttons.Length(), 32);
}

}  // namespace
