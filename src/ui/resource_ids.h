#pragma once
// Control ids of every dialog, by name. Ids are unique within one
// dialog only: pages reuse numbers, so each name belongs to one template.
// Positions and captions live in the templates alone.

// Main window (IDD_QUILLMAR_DIALOG)
inline constexpr int IDC_CARD_LIST = 1000;
inline constexpr int IDC_PROFILE_LIST = 1001;
inline constexpr int IDC_SETTINGS_TABS = 1002;
inline constexpr int IDC_NEW_PROFILE = 1003;
inline constexpr int IDC_DEL_PROFILE = 1004;
inline constexpr int IDC_SET = 1006;
inline constexpr int IDC_SAVE_PROFILE = 1062;

// New-profile dialog (IDD_NEW_CFG)
inline constexpr int IDC_PROFILE_NAME = 1063;

// Mode page (IDD_TAB_MODE)
inline constexpr int IDC_MODE1_LABEL = 1011;
inline constexpr int IDC_MODE1_2304X1296P_30 = 1007;
inline constexpr int IDC_MODE1_1920X1080P_60 = 1008;
inline constexpr int IDC_MODE1_1920X1080P30 = 1009;
inline constexpr int IDC_MODE2_LABEL = 1012;
inline constexpr int IDC_MODE2_1280X720_120 = 1010;
inline constexpr int IDC_MODE2_1280X720P_60 = 1013;
inline constexpr int IDC_MODE2_1280X720P_30 = 1014;
inline constexpr int IDC_MODE3_LABEL = 1015;
inline constexpr int IDC_MODE3_16M_4608X3456_4_3 = 1016;
inline constexpr int IDC_MODE3_12M_4000X3000_4_3 = 1017;
inline constexpr int IDC_MODE3_8M_3264X2448_4_3 = 1018;
inline constexpr int IDC_MODE3_5M_2560X1920_4_3 = 1019;

// Video page (IDD_TAB_VIDEO)
inline constexpr int IDC_VIDEO_QUALITY_SFINE = 1012;
inline constexpr int IDC_VIDEO_QUALITY_FINE = 1013;
inline constexpr int IDC_VIDEO_QUALITY_NORMAL = 1014;
inline constexpr int IDC_FOV_WIDE = 1015;
inline constexpr int IDC_FOV_NORMAL = 1016;
inline constexpr int IDC_FOV_NARROW = 1017;
inline constexpr int IDC_TIMELAPSE_OFF = 1018;
inline constexpr int IDC_TIMELAPSE_1_SECONDS = 1019;
inline constexpr int IDC_TIMELAPSE_2_SECONDS = 1020;
inline constexpr int IDC_TIMELAPSE_5_SECONDS = 1021;
inline constexpr int IDC_TIMELAPSE_10_SECONDS = 1022;
inline constexpr int IDC_TIMELAPSE_30_SECONDS = 1023;
inline constexpr int IDC_TIMELAPSE_60_SECONDS = 1024;
inline constexpr int IDC_VIDEO_STAMP_OFF = 1027;
inline constexpr int IDC_VIDEO_STAMP_TIME = 1028;
inline constexpr int IDC_VIDEO_STAMP_DATE = 1029;
inline constexpr int IDC_VIDEO_STAMP_DATE_AND_TIME = 1031;
inline constexpr int IDC_VIDEO_VIDEO_QUALITY_LABEL = 1041;
inline constexpr int IDC_VIDEO_FOV_LABEL = 1034;
inline constexpr int IDC_VIDEO_TIMELAPSE_LABEL = 1033;
inline constexpr int IDC_VIDEO_SEPARATOR_1 = 1025;
inline constexpr int IDC_VIDEO_SEPARATOR_2 = 1026;
inline constexpr int IDC_VIDEO_VIDEO_STAMP_LABEL = 1032;
inline constexpr int IDC_VIDEO_SEPARATOR_3 = 1030;
inline constexpr int IDC_VIDEO_SEPARATOR_4 = 1035;
inline constexpr int IDC_MIC_VOLUME_LABEL = 1080;
inline constexpr int IDC_MIC_VOLUME_SLIDER = 1079;
inline constexpr int IDC_MIC_VOLUME_MUTE_LABEL = 1081;
inline constexpr int IDC_MIC_VOLUME_FULL_LABEL = 1082;
inline constexpr int IDC_MIC_VOLUME_TEXT = 1084;
inline constexpr int IDC_VIDEO_SEPARATOR_5 = 1037;
inline constexpr int IDC_VIDEO_AUTO_RECORD_LABEL = 1085;
inline constexpr int IDC_AUTO_REC_OFF = 1042;
inline constexpr int IDC_AUTO_REC_ON = 1043;
inline constexpr int IDC_VIDEO_LOOP_RECORD_LABEL = 1087;
inline constexpr int IDC_LOOP_REC_OFF = 1044;
inline constexpr int IDC_LOOP_REC_2_MIN = 1086;
inline constexpr int IDC_LOOP_REC_3_MIN = 1088;
inline constexpr int IDC_LOOP_REC_5_MIN = 1089;
inline constexpr int IDC_REC_BEEP_OFF = 1103;
inline constexpr int IDC_REC_BEEP_5_MIN = 1104;
inline constexpr int IDC_REC_BEEP_10_MIN = 1105;
inline constexpr int IDC_REC_BEEP_15_MIN = 1106;
inline constexpr int IDC_VIDEO_SEPARATOR_6 = 1036;

// Image page (IDD_TAB_IMAGE)
inline constexpr int IDC_METER_LABEL = 1045;
inline constexpr int IDC_METER_SPOT = 1042;
inline constexpr int IDC_METER_MULTI = 1043;
inline constexpr int IDC_METER_CENTER = 1044;
inline constexpr int IDC_ISO_LABEL = 1046;
inline constexpr int IDC_ISO_AUTO = 1047;
inline constexpr int IDC_ISO_100 = 1048;
inline constexpr int IDC_ISO_200 = 1049;
inline constexpr int IDC_ISO_400 = 1050;
inline constexpr int IDC_ISO_800 = 1051;
inline constexpr int IDC_ISO_1600 = 1052;
inline constexpr int IDC_WB_LABEL = 1053;
inline constexpr int IDC_WB_AUTO = 1054;
inline constexpr int IDC_WB_CLOUDY = 1055;
inline constexpr int IDC_WB_DAYLIGHT = 1056;
inline constexpr int IDC_WB_INCANDESCENT = 1057;
inline constexpr int IDC_EV_LABEL = 1060;
inline constexpr int IDC_EV_SLIDER = 1058;
inline constexpr int IDC_EV_TEXT = 1059;
inline constexpr int IDC_SHARPNESS_SLIDER = 1109;
inline constexpr int IDC_SHARPNESS_TEXT = 1111;
inline constexpr int IDC_SHARPNESS_LABEL = 1110;
// Names an ISO the group has no radio for (3200).
inline constexpr int IDC_ISO_HELD_NOTE = 1120;

// Photo page (IDD_TAB_PHOTO)
inline constexpr int IDC_PHOTO_QUALITY_SFINE = 1036;
inline constexpr int IDC_PHOTO_QUALITY_FINE = 1037;
inline constexpr int IDC_PHOTO_QUALITY_NORMAL = 1038;
inline constexpr int IDC_AUTO_SHOOT_OFF = 1043;
inline constexpr int IDC_AUTO_SHOOT_1_SECOND = 1107;
inline constexpr int IDC_AUTO_SHOOT_2_SECONDS = 1108;
inline constexpr int IDC_AUTO_SHOOT_3_SECONDS = 1044;
inline constexpr int IDC_AUTO_SHOOT_5_SECONDS = 1045;
inline constexpr int IDC_AUTO_SHOOT_10_SECONDS = 1046;
inline constexpr int IDC_AUTO_SHOOT_30_SECONDS = 1047;
inline constexpr int IDC_AUTO_SHOOT_60_SECONDS = 1048;
inline constexpr int IDC_PHOTO_STAMP_OFF = 1052;
inline constexpr int IDC_PHOTO_STAMP_TIME = 1053;
inline constexpr int IDC_PHOTO_STAMP_DATE = 1054;
inline constexpr int IDC_PHOTO_STAMP_DATE_AND_TIME = 1055;
inline constexpr int IDC_BURST_OFF = 1090;
inline constexpr int IDC_BURST_3_P = 1091;
inline constexpr int IDC_BURST_5_P = 1089;
inline constexpr int IDC_BURST_10_P = 1092;
inline constexpr int IDC_BURST_20_P = 1093;
inline constexpr int IDC_BURST_LABEL = 1094;
// Names a burst the group shows no radio for (the hidden "20 P").
inline constexpr int IDC_BURST_HELD_NOTE = 1120;
inline constexpr int IDC_PHOTO_SEPARATOR_1 = 1039;
inline constexpr int IDC_PHOTO_SEPARATOR_2 = 1050;
inline constexpr int IDC_AUTO_SHOOT_LABEL = 1042;
inline constexpr int IDC_PHOTO_STAMP_LABEL = 1051;
inline constexpr int IDC_PHOTO_QUALITY_LABEL = 1040;
inline constexpr int IDC_PHOTO_SEPARATOR_3 = 1056;

// System page (IDD_TAB_SYSTEM)
inline constexpr int IDC_SYNC_CLOCK = 1061;
inline constexpr int IDC_SYSTEM_SEPARATOR_1 = 1051;
inline constexpr int IDC_ROTATE_LABEL = 1064;
inline constexpr int IDC_ROTATE_NORMAL = 1042;
inline constexpr int IDC_ROTATE_ROTATE_180 = 1043;
inline constexpr int IDC_SYSTEM_SEPARATOR_2 = 1050;
inline constexpr int IDC_TVMODE_LABEL = 1075;
inline constexpr int IDC_TVMODE_NTSC = 1069;
inline constexpr int IDC_TVMODE_PAL = 1070;
inline constexpr int IDC_SYSTEM_SEPARATOR_3 = 1053;
inline constexpr int IDC_LIGHTFREQ_LABEL = 1074;
inline constexpr int IDC_LIGHTFREQ_50HZ = 1072;
inline constexpr int IDC_LIGHTFREQ_60HZ = 1073;
inline constexpr int IDC_SYSTEM_SEPARATOR_4 = 1054;
inline constexpr int IDC_AUTO_SHUTDOWN_LABEL = 1068;
inline constexpr int IDC_AUTO_SHUTDOWN_OFF = 1044;
inline constexpr int IDC_AUTO_SHUTDOWN_3_MIN = 1065;
inline constexpr int IDC_AUTO_SHUTDOWN_5_MIN = 1066;
inline constexpr int IDC_AUTO_SHUTDOWN_10_MIN = 1067;
inline constexpr int IDC_SYSTEM_SEPARATOR_5 = 1052;
inline constexpr int IDC_DATEFMT_LABEL = 1083;
inline constexpr int IDC_DATEFMT_YYYY_MM_DD_HH_MM_SS = 1076;
inline constexpr int IDC_DATEFMT_DD_MM_YYYY_HH_MM_SS = 1077;
inline constexpr int IDC_DATEFMT_MM_DD_YYYY_HH_MM_SS = 1078;
inline constexpr int IDC_SYSTEM_SEPARATOR_6 = 1055;
inline constexpr int IDC_SHOW_OSD = 1095;
inline constexpr int IDC_OSD_LABEL = 1098;
inline constexpr int IDC_OSD_OFF = 1096;
inline constexpr int IDC_OSD_ON = 1097;
inline constexpr int IDC_FORMAT_CARD = 1099;
inline constexpr int IDC_OP_BEEP_LABEL = 1102;
inline constexpr int IDC_OP_BEEP_OFF = 1100;
inline constexpr int IDC_OP_BEEP_ON = 1101;
inline constexpr int IDC_SYSTEM_SEPARATOR_7 = 1056;
// Names an auto-shutdown time the group has no radio for (30 and 60 minutes).
inline constexpr int IDC_AUTO_SHUTDOWN_HELD_NOTE = 1120;
