object MainForm: TMainForm
  Left = 120
  Top = 80
  BorderIcons = [biSystemMenu]
  BorderStyle = bsSingle
  Caption = 'Every kind of control'
  ClientHeight = 240
  ClientWidth = 360
  Color = clBlack
  Font.Charset = ANSI_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  PixelsPerInch = 96
  TextHeight = 13
  object Label1: TLabel
    Left = 8
    Top = 8
    Width = 60
    Height = 14
    AutoSize = False
    Caption = 'Label'
    Font.Charset = ANSI_CHARSET
    Font.Color = clAqua
    Font.Height = -12
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    Transparent = True
  end
  object Bevel1: TBevel
    Left = 4
    Top = 30
    Width = 70
    Height = 100
  end
  object SpeedButton1: TSpeedButton
    Left = 3
    Top = 210
    Width = 125
    Height = 25
    Caption = 'Select All'
    Flat = True
  end
  object Panel1: TPanel
    Left = 90
    Top = 8
    Width = 120
    Height = 60
    BevelOuter = bvNone
    Caption = 'Panel'
    Color = clGray
    TabOrder = 0
    object Panel2: TPanel
      Left = 10
      Top = 30
      Width = 60
      Height = 20
      BevelOuter = bvLowered
      Caption = 'Inner'
      TabOrder = 0
    end
  end
  object Edit1: TEdit
    Left = 220
    Top = 8
    Width = 121
    Height = 21
    TabOrder = 1
    Text = 'Edit1'
  end
  object Button1: TButton
    Left = 220
    Top = 40
    Width = 75
    Height = 25
    Caption = 'Button1'
    TabOrder = 2
  end
  object CheckBox1: TCheckBox
    Left = 90
    Top = 80
    Width = 97
    Height = 17
    Caption = 'Check'
    TabOrder = 3
  end
  object RadioButton1: TRadioButton
    Left = 90
    Top = 100
    Width = 113
    Height = 17
    Caption = 'Radio 1'
    TabOrder = 4
  end
  object RadioButton2: TRadioButton
    Left = 90
    Top = 120
    Width = 113
    Height = 17
    Caption = 'Radio 2'
    Checked = True
    TabOrder = 5
  end
  object CheckListBox1: TCheckListBox
    Left = 220
    Top = 80
    Width = 130
    Height = 100
    Columns = 2
    ItemHeight = 18
    Items.Strings = (
      'Beta'
      'Alpha'
      'Gamma')
    Style = lbOwnerDrawFixed
    TabOrder = 6
  end
  object Timer1: TTimer
    Interval = 250
  end
end
