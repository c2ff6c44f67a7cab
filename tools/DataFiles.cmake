# Every file kerbo_datagen writes, relative to Images/ and Music/ of the data folder.
set(KERBO_IMAGE_FILES
  OskaLeft1.bmp OskaRight1.bmp OskaLeftMask1.bmp OskaRightMask1.bmp
  OskaLeft2.bmp OskaRight2.bmp OskaLeftMask2.bmp OskaRightMask2.bmp
  TrampolineGreen.bmp TrampolineBlue.bmp TrampolineYellow.bmp TrampolineRed.bmp
  DoorLeftOpen.bmp DoorLeftClosed.bmp DoorRightOpen.bmp DoorRightClosed.bmp
  ShockDoorLeftOpen.bmp ShockDoorLeftClosed.bmp ShockDoorRightOpen.bmp ShockDoorRightClosed.bmp
  Item1.bmp Item2.bmp Item3.bmp Item4.bmp Item5.bmp
  WaveLeft.bmp WaveLeftMask.bmp WaveRight.bmp WaveRightMask.bmp
  Passage.bmp Elevator.bmp EndElevator.bmp Ceiling.bmp Wall.bmp
  Enemy.bmp EnemyMask.bmp
  background.bmp Controls.bmp storybackground.bmp asknamebackground.bmp highscorebackground.bmp
  pausebackground.bmp gameoverbackground.bmp youwinbackground.bmp
  play0.bmp play1.bmp difficulty0.bmp difficulty1.bmp controls0.bmp controls1.bmp
  highscores0.bmp highscores1.bmp quit0.bmp quit1.bmp resume0.bmp resume1.bmp
  quittomenu0.bmp quittomenu1.bmp retry0.bmp retry1.bmp back0.bmp back1.bmp back_mask.bmp
  down.bmp down1.bmp down_mask.bmp up.bmp up1.bmp up_mask.bmp
  easy.bmp easy_mask.bmp medium.bmp medium_mask.bmp hard.bmp hard_mask.bmp)
set(KERBO_SOUND_FILES
  Theme.MP3 RoundClear.MP3 Death.MP3 GOver.MP3 Win.MP3 GetItem.MP3 JumpTrampoline.MP3)
