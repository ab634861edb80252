object FormAbout: TFormAbout
  Left = 203
  Top = 105
  BorderIcons = [biSystemMenu]
  BorderStyle = bsSingle
  Caption = 'QVTrackMouse About...'
  ClientHeight = 117
  ClientWidth = 208
  Color = 4276545
  Font.Charset = ANSI_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  Icon.Data = {
    0000010001002020100001000400E80200001600000028000000200000004000
    0000010004000000000080020000000000000000000010000000000000000000
    000000008000008000000080800080000000800080008080000080808000C0C0
    C0000000FF0000FF000000FFFF00FF000000FF00FF00FFFF0000FFFFFF000000
    0000000000000000000000000000000000000000000000000000000000000000
    0000000000000000000000000000000000000000000000000000000000000000
    0000000000000000000000000000000000000000000000000000000000000000
    000000000000000000FF000000000000000000000000000000FF000000000000
    00000000000000000FF00000000000000000000000000000FF00000000000000
    000000000000F000FF00000000000000000000000000FF0FF00000000000F777
    777777777770FFFFF00000700000FEEEEEEEEEEEEEE0FFFFFFFF0E700000FEEE
    EEEEEEEEEEE0FFFFFFF0EE700000FEEEEEEEEEEEEEE0FFFFFF0EEE700000FEEE
    EEEEEEEEEEE0FFFFF0EEEE700000FEEEEEEEEEEEEEE0FFFF0EEEEE700000FEEE
    000000EEEEE0FFF0EEEEEE700000FEEE000000EEEEE0FF0EEEEEEE700000FEEE
    EEEEEEEEEEE0F0EEEEEEEE700000FEEEEEEEEEEEEEE00EEEEEEEEE700000FEEE
    00000000EEE0EEEEEEEEEE700000FEEE00000000EEEEEEEEEEEEEE700000FEEE
    EEEEEEEEEEEEEEEEEEEEEE700000FEEEEEEEEEEEEEEEEEEEEEEEEE700000FEEE
    EEEEEEEEEEEEEEEEEEEEEE700000FEEEEEEEEEEEEEEEEEEEEEEEEE700000FFFF
    FFFFFFFFFFFFFFFFFFFFFFF00000000000000000000000000000000000000000
    000000000000000000000000000000000000000000000000000000000000FFFF
    FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFCFFFFFFF87FFFFFF87FFFFE
    F0FFFFFE61FFFFFE21FF0000020F0000000F0000000F0000000F0000000F0000
    000F0000000F0000000F0000000F0000000F0000000F0000000F0000000F0000
    000F0000000F0000000F0000000F0000000FFFFFFFFFFFFFFFFFFFFFFFFF}
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  object Label1: TLabel
    Left = 0
    Top = 39
    Width = 208
    Height = 23
    Align = alTop
    Alignment = taCenter
    Caption = 'You are...'
    Font.Charset = ANSI_CHARSET
    Font.Color = clSilver
    Font.Height = -19
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    Transparent = True
  end
  object Label2: TLabel
    Left = 0
    Top = 0
    Width = 208
    Height = 13
    Align = alTop
    Alignment = taCenter
    Caption = 'QVTrackMouse component Demo'
    Font.Charset = ANSI_CHARSET
    Font.Color = clAqua
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    Transparent = True
  end
  object Label3: TLabel
    Left = 0
    Top = 13
    Width = 208
    Height = 13
    Align = alTop
    Alignment = taCenter
    Caption = '(C) Orbelline Technologies'
    Font.Charset = ANSI_CHARSET
    Font.Color = clAqua
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    Transparent = True
  end
  object lblINOUT: TLabel
    Left = 0
    Top = 59
    Width = 208
    Height = 58
    Align = alBottom
    Alignment = taCenter
    Caption = '???'
    Font.Charset = ANSI_CHARSET
    Font.Color = clYellow
    Font.Height = -48
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    Transparent = True
  end
  object Label4: TLabel
    Left = 0
    Top = 26
    Width = 208
    Height = 13
    Align = alTop
    Alignment = taCenter
    Caption = 'orbelline@example.com'
    Font.Charset = ANSI_CHARSET
    Font.Color = clAqua
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object QVTrackAbout: TQVTrackMouse
    OnMouseEnter = QVTrackAboutMouseEnter
    OnMouseLeave = QVTrackAboutMouseLeave
    Associate = <
      item
        TheControl = Owner
      end>
    Bounding = False
    Left = 170
    Top = 74
  end
end
