// Hiro's movement apart from the engine: the state, the frame time and one frame's movement
// orders in, the new state out, so it can be tested without a host. The player copies his
// fields in, runs the steps in frame order and copies them back.
#pragma once

// Centre y of the player standing on the floor.
inline constexpr float kPlayerFloorY = 464.0f;

struct PlayerMotion {
    float x;
    float y;                             // centre; the floor is at 464
    float velocityX;                     // positive to the right
    float velocityY;                     // positive downward
    bool onGround;                       // on the floor or on top of the shooter
    bool facingLeft;
};

enum class MoveOrder { Left, Right, Jump };

// One movement entry of the action queue: "left" and "right" accelerate (faster on the ground)
// up to the speed limit; a jump starts only on the ground.
PlayerMotion ApplyMoveOrder(PlayerMotion motion, MoveOrder order, float dt);

// The rest of the frame's movement once the actions are handled: friction (which sets the
// facing) on the ground or gravity in the air, the motion itself, then the floor and the walls.
PlayerMotion StepMotion(PlayerMotion motion, float dt);

// Touching the shooter: on the ground the player pushes it, held back at the push limits, and
// it goes to shooterX; in the air he lands on top of it.
struct ShooterContact {
    PlayerMotion motion;
    bool pushed;
    float shooterX;                      // where the pushed shooter goes; 0 when not pushed
};
ShooterContact TouchShooter(PlayerMotion motion);
