object FormDemo: TFormDemo
  Left = 201
  Top = 101
  BorderIcons = [biSystemMenu]
  BorderStyle = bsSingle
  Caption = 'QVTrackMouse Demo'
  ClientHeight = 266
  ClientWidth = 437
  Color = clBlack
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
  PixelsPerInch = 96
  TextHeight = 13
  object Bevel1: TBevel
    Left = 2
    Top = 26
    Width = 70
    Height = 100
  end
  object lblLink: TLabel
    Left = 202
    Top = 182
    Width = 210
    Height = 19
    Caption = 'Orbelline Technologies'
    Font.Charset = ANSI_CHARSET
    Font.Color = clAqua
    Font.Height = -16
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    Transparent = True
  end
  object Label2: TLabel
    Left = 8
    Top = 32
    Width = 38
    Height = 14
    Caption = 'New...'
    Color = clBlack
    Font.Charset = ANSI_CHARSET
    Font.Color = clAqua
    Font.Height = -12
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentColor = False
    ParentFont = False
    Transparent = True
  end
  object Label3: TLabel
    Left = 8
    Top = 52
    Width = 32
    Height = 14
    Caption = 'Open'
    Color = clBlack
    Font.Charset = ANSI_CHARSET
    Font.Color = clAqua
    Font.Height = -12
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentColor = False
    ParentFont = False
    Transparent = True
  end
  object Label4: TLabel
    Left = 8
    Top = 74
    Width = 29
    Height = 14
    Caption = 'Save'
    Color = clBlack
    Font.Charset = ANSI_CHARSET
    Font.Color = clAqua
    Font.Height = -12
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentColor = False
    ParentFont = False
    Transparent = True
  end
  object Label5: TLabel
    Left = 8
    Top = 96
    Width = 32
    Height = 14
    Caption = 'Close'
    Color = clBlack
    Font.Charset = ANSI_CHARSET
    Font.Color = clAqua
    Font.Height = -12
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentColor = False
    ParentFont = False
    Transparent = True
  end
  object Bevel2: TBevel
    Left = 74
    Top = 26
    Width = 70
    Height = 100
  end
  object Bevel3: TBevel
    Left = 146
    Top = 26
    Width = 70
    Height = 100
  end
  object Bevel4: TBevel
    Left = 218
    Top = 26
    Width = 70
    Height = 100
  end
  object Bevel5: TBevel
    Left = 290
    Top = 26
    Width = 70
    Height = 100
  end
  object lblAdditioned: TLabel
    Left = 228
    Top = 132
    Width = 130
    Height = 13
    Caption = 'Controls additioned: 00'
    Font.Charset = ANSI_CHARSET
    Font.Color = clWhite
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object pnlLabels: TPanel
    Left = 2
    Top = 2
    Width = 70
    Height = 21
    BevelOuter = bvNone
    Caption = 'Labels'
    Color = 4276545
    Font.Charset = ANSI_CHARSET
    Font.Color = clWhite
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    TabOrder = 0
    OnMouseDown = pnlPanelsMouseDown
    OnMouseUp = pnlPanelsMouseUp
  end
  object Panel2: TPanel
    Left = 74
    Top = 2
    Width = 70
    Height = 21
    BevelOuter = bvNone
    Caption = 'Edits'
    Color = 4276545
    Font.Charset = ANSI_CHARSET
    Font.Color = clWhite
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    TabOrder = 1
    OnMouseDown = pnlPanelsMouseDown
    OnMouseUp = pnlPanelsMouseUp
  end
  object Panel3: TPanel
    Left = 146
    Top = 2
    Width = 70
    Height = 21
    BevelOuter = bvNone
    Caption = 'Buttons'
    Color = 4276545
    Font.Charset = ANSI_CHARSET
    Font.Color = clWhite
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    TabOrder = 2
    OnMouseDown = pnlPanelsMouseDown
    OnMouseUp = pnlPanelsMouseUp
  end
  object Panel4: TPanel
    Left = 218
    Top = 2
    Width = 70
    Height = 21
    BevelOuter = bvNone
    Caption = 'CheckBoxs'
    Color = 4276545
    Font.Charset = ANSI_CHARSET
    Font.Color = clWhite
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    TabOrder = 3
    OnMouseDown = pnlPanelsMouseDown
    OnMouseUp = pnlPanelsMouseUp
  end
  object Panel5: TPanel
    Left = 290
    Top = 2
    Width = 70
    Height = 21
    BevelOuter = bvNone
    Caption = 'RdButtons'
    Color = 4276545
    Font.Charset = ANSI_CHARSET
    Font.Color = clWhite
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    TabOrder = 4
    OnMouseDown = pnlPanelsMouseDown
    OnMouseUp = pnlPanelsMouseUp
  end
  object pnlPanels: TPanel
    Left = 364
    Top = 2
    Width = 70
    Height = 21
    BevelOuter = bvNone
    Caption = 'Panels'
    Color = 4276545
    Font.Charset = ANSI_CHARSET
    Font.Color = clWhite
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    TabOrder = 5
    Visible = False
    OnMouseDown = pnlPanelsMouseDown
    OnMouseUp = pnlPanelsMouseUp
  end
  object pnlAbout: TPanel
    Left = 364
    Top = 26
    Width = 70
    Height = 21
    BevelOuter = bvNone
    Caption = 'About'
    Color = 4276545
    Font.Charset = ANSI_CHARSET
    Font.Color = clWhite
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    TabOrder = 6
    OnMouseDown = pnlPanelsMouseDown
    OnMouseUp = pnlPanelsMouseUp
  end
  object pnlAdd: TPanel
    Left = 364
    Top = 54
    Width = 70
    Height = 21
    BevelOuter = bvNone
    Caption = 'Add'
    Color = 4276545
    Font.Charset = ANSI_CHARSET
    Font.Color = clWhite
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    TabOrder = 7
    OnMouseDown = pnlPanelsMouseDown
    OnMouseUp = pnlPanelsMouseUp
  end
  object pnlExit: TPanel
    Left = 364
    Top = 105
    Width = 70
    Height = 21
    BevelOuter = bvNone
    Caption = 'Exit'
    Color = 4276545
    Font.Charset = ANSI_CHARSET
    Font.Color = clWhite
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    TabOrder = 8
    OnMouseDown = pnlPanelsMouseDown
    OnMouseUp = pnlPanelsMouseUp
  end
  object Edit1: TEdit
    Left = 78
    Top = 32
    Width = 61
    Height = 21
    Color = clGray
    Font.Charset = ANSI_CHARSET
    Font.Color = clWhite
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = []
    ParentFont = False
    TabOrder = 9
    Text = 'Edit1'
  end
  object Edit2: TEdit
    Left = 78
    Top = 58
    Width = 61
    Height = 21
    Color = clGray
    Font.Charset = ANSI_CHARSET
    Font.Color = clWhite
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = []
    ParentFont = False
    TabOrder = 10
    Text = 'Edit2'
  end
  object Edit3: TEdit
    Left = 78
    Top = 84
    Width = 61
    Height = 21
    Color = clGray
    Font.Charset = ANSI_CHARSET
    Font.Color = clWhite
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = []
    ParentFont = False
    TabOrder = 11
    Text = 'Edit3'
  end
  object Button1: TButton
    Left = 150
    Top = 32
    Width = 62
    Height = 25
    Caption = 'Button1'
    TabOrder = 12
  end
  object Button2: TButton
    Left = 150
    Top = 61
    Width = 62
    Height = 25
    Caption = 'Button2'
    TabOrder = 13
  end
  object Button3: TButton
    Left = 150
    Top = 90
    Width = 62
    Height = 25
    Caption = 'Button3'
    TabOrder = 14
  end
  object CheckBox1: TCheckBox
    Left = 222
    Top = 34
    Width = 62
    Height = 17
    Caption = 'ChkBox1'
    Color = clBlack
    Font.Charset = ANSI_CHARSET
    Font.Color = clSilver
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = []
    ParentColor = False
    ParentFont = False
    TabOrder = 15
  end
  object CheckBox2: TCheckBox
    Left = 222
    Top = 55
    Width = 62
    Height = 17
    Caption = 'ChkBox2'
    Color = clBlack
    Font.Charset = ANSI_CHARSET
    Font.Color = clSilver
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = []
    ParentColor = False
    ParentFont = False
    TabOrder = 16
  end
  object CheckBox3: TCheckBox
    Left = 222
    Top = 75
    Width = 62
    Height = 17
    Caption = 'ChkBox3'
    Color = clBlack
    Font.Charset = ANSI_CHARSET
    Font.Color = clSilver
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = []
    ParentColor = False
    ParentFont = False
    TabOrder = 17
  end
  object CheckBox4: TCheckBox
    Left = 222
    Top = 96
    Width = 62
    Height = 17
    Caption = 'ChkBox4'
    Color = clBlack
    Font.Charset = ANSI_CHARSET
    Font.Color = clSilver
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = []
    ParentColor = False
    ParentFont = False
    TabOrder = 18
  end
  object RadioButton1: TRadioButton
    Left = 294
    Top = 34
    Width = 62
    Height = 17
    Caption = 'RdBtn1'
    Font.Charset = ANSI_CHARSET
    Font.Color = clAqua
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = []
    ParentFont = False
    TabOrder = 19
  end
  object RadioButton2: TRadioButton
    Left = 294
    Top = 56
    Width = 62
    Height = 17
    Caption = 'RdBtn2'
    Font.Charset = ANSI_CHARSET
    Font.Color = clAqua
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = []
    ParentFont = False
    TabOrder = 20
  end
  object RadioButton3: TRadioButton
    Left = 294
    Top = 76
    Width = 62
    Height = 17
    Caption = 'RdBtn3'
    Font.Charset = ANSI_CHARSET
    Font.Color = clAqua
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = []
    ParentFont = False
    TabOrder = 21
  end
  object RadioButton4: TRadioButton
    Left = 294
    Top = 96
    Width = 62
    Height = 17
    Caption = 'RdBtn4'
    Font.Charset = ANSI_CHARSET
    Font.Color = clAqua
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = []
    ParentFont = False
    TabOrder = 22
  end
  object pnlRemove: TPanel
    Left = 364
    Top = 78
    Width = 70
    Height = 21
    BevelOuter = bvNone
    Caption = 'Remove'
    Color = 4276545
    Font.Charset = ANSI_CHARSET
    Font.Color = clWhite
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    TabOrder = 23
    OnMouseDown = pnlPanelsMouseDown
    OnMouseUp = pnlPanelsMouseUp
  end
  object pnlTesting: TPanel
    Left = 10
    Top = 150
    Width = 80
    Height = 40
    Alignment = taLeftJustify
    BevelOuter = bvNone
    Caption = '  Testing'
    Color = clGray
    TabOrder = 24
  end
  object pnlThe: TPanel
    Left = 50
    Top = 170
    Width = 80
    Height = 40
    Alignment = taLeftJustify
    BevelOuter = bvNone
    Caption = '  the'
    Color = clGray
    TabOrder = 25
  end
  object pnlBounding: TPanel
    Left = 90
    Top = 192
    Width = 80
    Height = 40
    Alignment = taLeftJustify
    BevelOuter = bvNone
    Caption = '  Bounding'
    Color = clGray
    TabOrder = 26
  end
  object chkboxBounding: TCheckBox
    Left = 12
    Top = 130
    Width = 97
    Height = 17
    Caption = 'Bounding'
    Font.Charset = ANSI_CHARSET
    Font.Color = clWhite
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    TabOrder = 27
    OnClick = chkboxBoundingClick
  end
  object pnlMessage: TPanel
    Left = 0
    Top = 243
    Width = 437
    Height = 23
    Align = alBottom
    Alignment = taLeftJustify
    BevelOuter = bvNone
    Caption = '  TQVTrackMouse don''t track the mouse over child components...'
    Color = clGray
    Font.Charset = ANSI_CHARSET
    Font.Color = clWhite
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = []
    ParentFont = False
    TabOrder = 28
    object pnlChildMessage: TPanel
      Left = 322
      Top = 3
      Width = 107
      Height = 17
      BevelOuter = bvNone
      Caption = '...not yet !'
      Font.Charset = ANSI_CHARSET
      Font.Color = clBlack
      Font.Height = -11
      Font.Name = 'Tahoma'
      Font.Style = []
      ParentFont = False
      TabOrder = 0
    end
  end
  object QVTrack: TQVTrackMouse
    OnMouseEnter = QVTrackMouseEnter
    OnMouseLeave = QVTrackMouseLeave
    Associate = <
      item
        TheControl = Bevel1
      end
      item
        TheControl = lblLink
      end
      item
        TheControl = Label2
      end
      item
        TheControl = Label3
      end
      item
        TheControl = Label4
      end
      item
        TheControl = Label5
      end
      item
        TheControl = Bevel2
      end
      item
        TheControl = Bevel3
      end
      item
        TheControl = Bevel4
      end
      item
        TheControl = Bevel5
      end
      item
        TheControl = lblAdditioned
      end
      item
        TheControl = pnlLabels
      end
      item
        TheControl = Panel2
      end
      item
        TheControl = Panel3
      end
      item
        TheControl = Panel4
      end
      item
        TheControl = Panel5
      end
      item
        TheControl = pnlAbout
      end
      item
        TheControl = pnlAdd
      end
      item
        TheControl = pnlExit
      end
      item
        TheControl = Edit1
      end
      item
        TheControl = Edit2
      end
      item
        TheControl = Edit3
      end
      item
        TheControl = Button1
      end
      item
        TheControl = Button2
      end
      item
        TheControl = Button3
      end
      item
        TheControl = CheckBox1
      end
      item
        TheControl = CheckBox2
      end
      item
        TheControl = CheckBox3
      end
      item
        TheControl = CheckBox4
      end
      item
        TheControl = RadioButton1
      end
      item
        TheControl = RadioButton2
      end
      item
        TheControl = RadioButton3
      end
      item
        TheControl = RadioButton4
      end
      item
        TheControl = pnlRemove
      end
      item
        TheControl = pnlTesting
      end
      item
        TheControl = pnlThe
      end
      item
        TheControl = pnlBounding
      end
      item
        TheControl = chkboxBounding
      end
      item
        TheControl = pnlMessage
      end>
    Bounding = False
    Left = 352
    Top = 152
  end
end
